#pragma once
// Loading a file that might blow up, in a child process whose address space may grow by a bounded
// amount: inside EXPECT_EXIT, LoadUnderLimit prints how the load ended on stderr and exits 0 when
// it loaded or failed with the library's file exception, 1 for any other exception. Running out
// of the limit shows as bad_alloc (exit 1) or as a sanitizer's out-of-memory death. A sanitizer
// hands out memory from space it reserved at start, which the limit does not see, so a load whose
// resident memory grew by more than the limit fails too.
//
//   EXPECT_EXIT(LoadUnderLimit(bytes, u"xlsx", 1024), testing::ExitedWithCode(0), "file
//   exception");
#include <cstddef>
#include <string>

namespace workbook {

[[noreturn]] void LoadUnderLimit(const std::string& bytes, const std::u16string& extension,
                                 std::size_t megabytes);

}  // namespace workbook
