#pragma once

namespace kavu {

class App;

// Tells the launcher which window each of its features opens.
void registerWindows(App& app);

} // namespace kavu
