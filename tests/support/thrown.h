#pragma once
// What a call throws: the message of an exception of class E (what()), or "no exception", so a
// test compares exact messages in one line.
#include <string>

namespace test_support {

template <class E, class F>
std::string Thrown(F&& call) {
  try {
    call();
  } catch (const E& e) {
    return e.what();
  }
  return "no exception";
}

}  // namespace test_support
