#pragma once

namespace kavu {

class App;
class FontScaleOffset;

// Tells the launcher which window each of its features opens. What outlives those windows is
// passed in by the program, which owns it.
void registerWindows(App& app, FontScaleOffset& fontScaleOffset);

} // namespace kavu
