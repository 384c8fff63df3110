#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Texts and progress of the copy window, made from the plain facts the link
// hands over: which way the file goes, the PC folder, the bytes of a program
// sent so far.
namespace tesmora {

// Which way the copy window's file goes. A program the recorder asked for
// shows no direction line.
enum class CopyDirection { None, FromRecorder, ToRecorder };

// The last component of a folder text that ends with a separator ("Tests" for
// "/lab/Tests/"); the whole text when it is shorter than four characters.
std::string FolderShortName(std::string_view folder);
// "KALDIRONE --> 'Tests'" for a receive, "'Tests' --> KALDIRONE" for a send.
std::string ReceiveDirectionText(std::string_view folder);
std::string SendDirectionText(std::string_view folder);
// The direction line of the copy window: one of the two above, or nothing.
std::string CopyDirectionText(CopyDirection direction, std::string_view folder);

// How many one-point steps the bar takes once `sent` of the `count` bytes of
// a program have gone: the bar stands at sent * 100 / count, so that a whole
// program runs it from 0 to 100 exactly once, whatever its size.
int ProgramProgressSteps(std::uint32_t sent, std::uint32_t count);

}  // namespace tesmora
