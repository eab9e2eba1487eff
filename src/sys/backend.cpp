#include "sys/sys.h"

namespace sys {
namespace {
Backend* g_current = nullptr;
}

Backend& Current() { return g_current ? *g_current : DefaultBackend(); }

ScopedBackend::ScopedBackend(Backend& backend) : previous_(g_current) { g_current = &backend; }

ScopedBackend::~ScopedBackend() { g_current = previous_; }

}  // namespace sys
