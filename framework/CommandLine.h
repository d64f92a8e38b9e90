// Splitting of a process command line into arguments, the way the setup program has always
// read its presets: separators are the bytes 1 to 32, a leading pair of double quotes is skipped
// (so an empty quoted argument vanishes and the next word moves up), and a double quote inside
// a word opens a stretch that runs to the next quote or the end of the line, blanks included.
#pragma once

#include <string>
#include <vector>

// Every word of the line in order; the first is the program itself. Words have any length.
std::vector<std::string> SplitCommandLine(const std::string& line);

// Word `index` of the line (0 is the program); empty when the line has fewer words.
std::string CommandLineArgument(const std::string& line, int index);
