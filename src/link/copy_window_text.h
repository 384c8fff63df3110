#pragma once

#include <string>
#include <string_view>

// Texts of the copy window.
namespace tesmora::link {

// The last component of a folder text that ends with a separator ("Tests" for
// "/lab/Tests/"); the whole text when it is shorter than four characters.
std::string FolderShortName(std::string_view folder);
// "KALDIRONE --> 'Tests'" for a receive, "'Tests' --> KALDIRONE" for a send.
std::string ReceiveDirectionText(std::string_view folder);
std::string SendDirectionText(std::string_view folder);

}  // namespace tesmora::link
