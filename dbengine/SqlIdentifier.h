#pragma once
// Names that stand in a statement as identifiers.
#include <string>

// The name between backquotes, every backquote inside it doubled, so that whatever the name
// holds it stays one identifier (MySQL's quoting of identifiers). The server reads the statement
// in the connection's character set (its name as the handshake or SET NAMES gave it; empty for
// latin1): in big5, gbk, sjis and cp932 a backquote can be the second byte of a character, so
// such a character is kept whole and only a backquote of its own is doubled. A name whose last
// character is cut short (a lead byte at its end) would take the closing backquote as its second
// byte; it raises EDatabaseError instead.
std::string QuoteIdentifier(const std::string& name, const std::string& characterSet);
