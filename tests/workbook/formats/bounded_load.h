#pragma once
// Runs a load in a child process under an address-space limit, so that a file which would
// exhaust memory shows what it would do to the program (a bad_alloc, or the library's refusal)
// without taking the test run down with it.
#include <cstddef>
#include <functional>
#include <string>

namespace workbook::test {

enum class TLoadOutcome { Loaded, FileError, OutOfMemory, OtherError, Crashed };

struct TBoundedLoad {
  TLoadOutcome Outcome = TLoadOutcome::Crashed;
  std::string Message;  // of the exception, when one ended the load
};

// Address-space limits do not combine with AddressSanitizer, which reserves terabytes up front:
// in such builds the child's peak resident memory is held against the limit instead.
TBoundedLoad LoadBounded(const std::function<void()>& load,
                         std::size_t limitBytes = std::size_t{1} << 30);

std::string OutcomeName(TLoadOutcome outcome);

}  // namespace workbook::test
