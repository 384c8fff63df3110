#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts and progress of the copy window.
namespace tesmora::link {

// The last component of a folder text that ends with a separator ("Tests" for
// "/lab/Tests/"); the whole text when it is shorter than four characters.
std::string FolderShortName(std::string_view folder);
// "KALDIRONE --> 'Tests'" for a receive, "'Tests' --> KALDIRONE" for a send.
std::string ReceiveDirectionText(std::string_view folder);
std::string SendDirectionText(std::string_view folder);

// How many one-point steps the bar takes once `sent` of the `count` bytes of
// a program have gone: the bar stands at sent * 100 / count, so that a whole
// program runs it from 0 to 100 exactly once, whatever its size.
int ProgramProgressSteps(std::uint32_t sent, std::uint32_t count);

}  // namespace tesmora::link
