// The one handling of a window message taken from the queue. The window
// layer installs its routing (accelerators, shortcuts, dialog keys,
// translation, dispatch), and every pump of the program uses it: the main
// loop, modal loops and the pumping of long scans, so that a key typed
// during a scan is handled as at any other time.
#pragma once

namespace sys {

// `message` points to the platform's MSG.
using MessageHandler = void (*)(void* message);
void SetMessageHandler(MessageHandler handler);
// The installed handler, or null (then a message is just translated and dispatched).
MessageHandler CurrentMessageHandler();

}  // namespace sys
