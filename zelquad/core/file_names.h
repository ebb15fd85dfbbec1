// The file names the dialog takes: the check of a typed name, the script name
// proposed from the data name, and the script's extension.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zq {

// Leading and trailing blanks removed (tabs and other spaces stay).
std::string trimBlanks(std::string_view text);

// A name the program accepts: it starts with an ASCII letter (a drive or a
// relative name) or with "/" (an absolute path, as every browsed name here is).
bool isAcceptedFileName(std::string_view name);

// The script name proposed while the data name is typed: the text as typed less
// its last four characters, plus ".scr" (site1.dat gives site1.scr, abcdef gives
// ab.scr). Nothing when the name without surrounding blanks has four
// characters or fewer. Characters, not bytes: a Chinese name loses four letters.
std::optional<std::string> proposedScriptName(std::string_view typed);

// The name the script is saved under: ".scr" appended unless the name already
// ends in it in any case (plot.scr.txt becomes plot.scr.txt.scr).
std::string withScriptExtension(std::string name);

} // namespace zq
