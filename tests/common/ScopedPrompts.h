#pragma once

#include "desktop/Prompts.h"

namespace kwemo::test {

// Scripted answers to every question asked while it lives.
class ScopedPrompts {
 public:
  ScopedPrompts() { setPrompts(&scripted); }
  ~ScopedPrompts() { setPrompts(nullptr); }
  ScopedPrompts(const ScopedPrompts&) = delete;
  ScopedPrompts& operator=(const ScopedPrompts&) = delete;
  ScriptedPrompts scripted;
};

}  // namespace kwemo::test
