#pragma once

namespace zemora {

// Makes the toolkit's and the engine's own texts (stock buttons, the page's context menu)
// Chinese like the rest of the window: messages only, the character set (the code page)
// stays the user's. Takes effect for what the toolkit starts afterwards.
void useChineseMessages();

} // namespace zemora
