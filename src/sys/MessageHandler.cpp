#include "sys/MessageHandler.h"

namespace sys {

namespace {
MessageHandler g_handler = nullptr;
}

void SetMessageHandler(MessageHandler handler) { g_handler = handler; }
MessageHandler CurrentMessageHandler() { return g_handler; }

}  // namespace sys
