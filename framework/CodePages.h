#pragma once
// The code sets the program's texts are written in. The dialog's own texts are Big5 and become
// GB2312 when the form is converted for a Simplified-Chinese system; what the user types and what
// the program reads from the system stay in the system's code page.
constexpr unsigned kSystemCodePage = 0;  // CP_ACP: whatever code page the system uses
constexpr unsigned kBig5CodePage = 950;
constexpr unsigned kGb2312CodePage = 936;
