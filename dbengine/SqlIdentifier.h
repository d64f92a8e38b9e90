#pragma once
// Names that stand in a statement as identifiers.
#include <string>

// The name between backquotes, every backquote inside it doubled, so that whatever the name
// holds it stays one identifier (MySQL's quoting of identifiers).
std::string QuoteIdentifier(const std::string& name);
