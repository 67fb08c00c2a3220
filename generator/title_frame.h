#pragma once

namespace generator {

struct RunContext;

// frame1.html, the title banner of the framed album, with the head of the sound choice
// that holds when it is written.
void TitleFrame(RunContext& run);

// "back.don" -> "back.gif" and "index.don" -> "index.html", from the program's folder into
// the web folder, byte for byte; the target is replaced whole or not at all.
void copyBackgroundPicture(RunContext& run);
void copyIndexPage(RunContext& run);

} // namespace generator
