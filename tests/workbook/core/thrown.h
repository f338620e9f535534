#pragma once
// What a call throws: the message of an exception of class E (UTF-8), or "no exception".
#include <string>

namespace workbook::test {

template <class E, class F>
std::string Thrown(F&& call) {
  try {
    call();
  } catch (const E& e) {
    return e.what();
  }
  return "no exception";
}

}  // namespace workbook::test
