#include "workbook/formats/zip/zip_archive_adapter.h"

#include <zip.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>

#include "platform/text_codec.h"
#include "workbook/core/exceptions.h"
#include "workbook/core/library_texts.h"
#include "workbook/formats/zip/compression_stream.h"
#include "workbook/model/load_budget.h"

namespace workbook {

namespace {

// A package may not inflate to more than this in total: far beyond any workbook the model can
// hold, and it keeps a hostile archive from exhausting memory.
constexpr std::uint64_t kDefaultInflateLimit = std::uint64_t{2} << 30;
// Deflate cannot shrink data by more than about 1:1032; an entry declaring more lies.
constexpr std::uint64_t kMaxDeflateRatio = 1100;
// Up to this much a load inflates without regard to the file's size: small packages of repeated
// elements (a style part of thousands of equal formats) shrink some hundred times and cost little.
constexpr std::uint64_t kInflateRatioFloor = std::uint64_t{32} << 20;
// Extraction into memory reserves the declared size up to this much; beyond it grows as it goes.
constexpr std::uint64_t kMaxPreallocation = std::uint64_t{64} << 20;
constexpr std::size_t kChunk = 256 * 1024;

// An archive holding no entries: the end-of-central-directory record alone.
constexpr std::uint8_t kEmptyArchive[22] = {0x50, 0x4B, 0x05, 0x06};

std::u16string ZipText(const std::string& text) { return platform::Utf8ToUtf16(text); }

[[noreturn]] void ThrowInvalid(const std::string& message) {
  throw EZipFileInvalid(ZipText(message));
}

std::string ErrorText(zip_error_t* error) { return zip_error_strerror(error); }

std::string NormalizedKey(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return name;
}

// Reads up to count bytes, fewer only at the end of the stream.
std::size_t ReadFully(TStream& stream, void* buffer, std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(buffer);
  std::size_t done = 0;
  while (done < count) {
    std::size_t got = stream.Read(out + done, count - done);
    if (got == 0) break;
    done += got;
  }
  return done;
}

// The entry data of an insert: the rest of a caller's stream, read once from its position.
struct TDataSourceState {
  TStream* stream = nullptr;
  std::int64_t size = -1;
  zip_error_t error;
  // Where a failure of the caller's stream is reported (the archive's own message slot).
  std::string* failure = nullptr;
};

// The commands every read-only source of ours answers alike: its error, freeing its state, and
// what it supports (open, read, close, stat).
template <typename State>
zip_int64_t ReadOnlySourceCommand(State& s, void* data, zip_uint64_t len, zip_source_cmd_t cmd) {
  switch (cmd) {
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&s.error, data, len);
    case ZIP_SOURCE_FREE:
      zip_error_fini(&s.error);
      delete &s;
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE,
                                            ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR, ZIP_SOURCE_FREE,
                                            ZIP_SOURCE_SUPPORTS, -1);
    default:
      zip_error_set(&s.error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

zip_int64_t DataSourceCommand(TDataSourceState& s, void* data, zip_uint64_t len,
                              zip_source_cmd_t cmd) {
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_READ:
      return static_cast<zip_int64_t>(ReadFully(*s.stream, data, static_cast<std::size_t>(len)));
    case ZIP_SOURCE_STAT: {
      auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s.error);
      if (!st) return -1;
      zip_stat_init(st);
      if (s.size >= 0) {
        st->size = static_cast<zip_uint64_t>(s.size);
        st->valid |= ZIP_STAT_SIZE;
      }
      return sizeof(*st);
    }
    default:
      return ReadOnlySourceCommand(s, data, len, cmd);
  }
}

// The data of an entry deflated beforehand: the deflate data of the buffers one after the other,
// then a last empty block, declared as deflated with their size and CRC, so libzip copies them
// as they are.
struct TDeflatedSourceState {
  std::vector<TStream*> pieces;
  std::vector<std::int64_t> lengths;
  std::size_t piece = 0;
  std::int64_t offset = 0;
  std::size_t endOffset = 0;
  std::uint64_t size = 0;
  std::uint64_t compressedSize = 0;
  std::uint32_t crc = 0;
  zip_error_t error;
  std::string* failure = nullptr;
};

// A final fixed-Huffman block holding nothing: it closes the deflate stream after the last
// buffer, which ends on a byte boundary.
constexpr std::uint8_t kLastEmptyBlock[2] = {0x03, 0x00};

std::size_t ReadDeflatedPieces(TDeflatedSourceState& s, std::uint8_t* out, std::size_t len) {
  std::size_t done = 0;
  while (done < len && s.piece < s.pieces.size()) {
    TStream& piece = *s.pieces[s.piece];
    if (s.offset == 0) piece.SetPosition(0);
    const auto want = static_cast<std::size_t>(std::min<std::int64_t>(
        s.lengths[s.piece] - s.offset, static_cast<std::int64_t>(len - done)));
    if (want > 0 && ReadFully(piece, out + done, want) != want)
      throw EWorkbookException(u"A deflated zip entry piece is shorter than it says.");
    done += want;
    s.offset += static_cast<std::int64_t>(want);
    if (s.offset == s.lengths[s.piece]) {
      ++s.piece;
      s.offset = 0;
    }
  }
  const std::size_t end = std::min(sizeof kLastEmptyBlock - s.endOffset, len - done);
  std::memcpy(out + done, kLastEmptyBlock + s.endOffset, end);
  s.endOffset += end;
  return done + end;
}

zip_int64_t DeflatedSourceCommand(TDeflatedSourceState& s, void* data, zip_uint64_t len,
                                  zip_source_cmd_t cmd) {
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      s.piece = 0;
      s.offset = 0;
      s.endOffset = 0;
      return 0;
    case ZIP_SOURCE_CLOSE:
      return 0;
    case ZIP_SOURCE_READ:
      return static_cast<zip_int64_t>(
          ReadDeflatedPieces(s, static_cast<std::uint8_t*>(data), static_cast<std::size_t>(len)));
    case ZIP_SOURCE_STAT: {
      auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s.error);
      if (!st) return -1;
      zip_stat_init(st);
      st->size = s.size;
      st->comp_size = s.compressedSize;
      st->crc = s.crc;
      st->comp_method = ZIP_CM_DEFLATE;
      st->encryption_method = ZIP_EM_NONE;
      st->valid |= ZIP_STAT_SIZE | ZIP_STAT_COMP_SIZE | ZIP_STAT_CRC | ZIP_STAT_COMP_METHOD |
                   ZIP_STAT_ENCRYPTION_METHOD;
      return sizeof(*st);
    }
    default:
      return ReadOnlySourceCommand(s, data, len, cmd);
  }
}

// The callback of a source whose commands Command answers. Exceptions must not cross libzip: a
// failure of the caller's stream is kept in the archive's message slot and raised again once
// libzip returns.
template <typename State, zip_int64_t (*Command)(State&, void*, zip_uint64_t, zip_source_cmd_t)>
zip_int64_t GuardedSourceCallback(void* userdata, void* data, zip_uint64_t len,
                                  zip_source_cmd_t cmd) {
  auto& s = *static_cast<State*>(userdata);
  try {
    return Command(s, data, len, cmd);
  } catch (const std::exception& e) {
    *s.failure = e.what();
    zip_error_set(&s.error, ZIP_ER_READ, 0);
    return -1;
  }
}

// A libzip source over State; the source owns the state from here on, and frees it with itself.
template <typename State>
zip_source_t* MakeSource(zip_source_callback callback, State* dataState) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(callback, dataState, &error);
  if (!source) {
    zip_error_fini(&dataState->error);
    delete dataState;
    std::string text = ErrorText(&error);
    zip_error_fini(&error);
    throw EWorkbookException(ZipText(text));
  }
  zip_error_fini(&error);
  return source;
}

}  // namespace

// The archive itself as libzip sees it: reads come from the caller's stream. A rewrite that only
// adds entries goes to the stream as libzip writes it: libzip then reads nothing of the old
// archive past the bytes it keeps (the entries before the new ones), and writes only after them.
// A rewrite that replaces an entry collects in memory and replaces the stream's bytes on commit,
// because libzip still reads the old entries after it from the stream while it writes.
struct TZipArchiveAdapter::TSourceState {
  TStream* stream;
  bool acceptEmpty = false;
  zip_error_t error;
  // The first failure of the caller's stream, raised once libzip returns.
  std::string failure;
  std::uint64_t readPos = 0;
  std::uint64_t streamSize = 0;
  // Whether the next rewrite only adds entries.
  bool appendOnly = false;
  // The rewrite: bytes from OutBase on (the bytes before it are kept as they are).
  std::uint64_t outBase = 0;
  std::uint64_t outPos = 0;
  std::uint64_t outEnd = 0;
  // Writing into the stream: its old bytes from OutBase on (the old central directory), put
  // back if the rewrite fails; else the bytes collected.
  bool direct = false;
  std::vector<std::uint8_t> out;
  // Where the direct writes left the stream (-1: moved since), so that writing on needs no seek,
  // which would flush a file stream each time.
  std::int64_t writtenTo = -1;
};

namespace {

using TSourceState = TZipArchiveAdapter::TSourceState;

void BeginWrite(TSourceState& s, std::uint64_t keep) {
  s.outBase = s.outPos = s.outEnd = keep;
  s.direct = s.appendOnly;
  s.out.clear();
  s.writtenTo = -1;
  if (!s.direct) return;
  const std::int64_t size = s.stream->Size();
  if (size > static_cast<std::int64_t>(keep)) {
    s.out.resize(static_cast<std::size_t>(size - static_cast<std::int64_t>(keep)));
    s.stream->SetPosition(static_cast<std::int64_t>(keep));
    s.stream->ReadBuffer(s.out.data(), s.out.size());
  }
}

void Write(TSourceState& s, const void* data, std::size_t len) {
  if (s.direct) {
    if (s.writtenTo != static_cast<std::int64_t>(s.outPos))
      s.stream->SetPosition(static_cast<std::int64_t>(s.outPos));
    s.writtenTo = -1;
    s.stream->WriteBuffer(data, len);
    s.writtenTo = static_cast<std::int64_t>(s.outPos + len);
  } else {
    const auto at = static_cast<std::size_t>(s.outPos - s.outBase);
    if (s.out.size() < at + len) s.out.resize(at + len);
    std::memcpy(s.out.data() + at, data, len);
  }
  s.outPos += len;
  s.outEnd = std::max(s.outEnd, s.outPos);
}

zip_int64_t ArchiveSourceCommand(TSourceState& s, void* data, zip_uint64_t len,
                                 zip_source_cmd_t cmd) {
  switch (cmd) {
    case ZIP_SOURCE_OPEN:
      s.readPos = 0;
      s.streamSize = static_cast<std::uint64_t>(s.stream->Size());
      return 0;
    case ZIP_SOURCE_READ: {
      if (s.readPos >= s.streamSize) return 0;
      s.writtenTo = -1;
      s.stream->SetPosition(static_cast<std::int64_t>(s.readPos));
      std::size_t n = ReadFully(*s.stream, data, static_cast<std::size_t>(len));
      s.readPos += n;
      return static_cast<zip_int64_t>(n);
    }
    case ZIP_SOURCE_CLOSE:
    case ZIP_SOURCE_FREE:
      return 0;
    case ZIP_SOURCE_SEEK: {
      zip_int64_t pos =
          zip_source_seek_compute_offset(s.readPos, s.streamSize, data, len, &s.error);
      if (pos < 0) return -1;
      s.readPos = static_cast<std::uint64_t>(pos);
      return 0;
    }
    case ZIP_SOURCE_TELL:
      return static_cast<zip_int64_t>(s.readPos);
    case ZIP_SOURCE_STAT: {
      auto* st = ZIP_SOURCE_GET_ARGS(zip_stat_t, data, len, &s.error);
      if (!st) return -1;
      zip_stat_init(st);
      st->size = static_cast<zip_uint64_t>(s.stream->Size());
      st->valid |= ZIP_STAT_SIZE;
      return sizeof(*st);
    }
    case ZIP_SOURCE_ERROR:
      return zip_error_to_data(&s.error, data, len);
    case ZIP_SOURCE_ACCEPT_EMPTY:
      return s.acceptEmpty ? 1 : 0;
    case ZIP_SOURCE_BEGIN_WRITE:
    case ZIP_SOURCE_BEGIN_WRITE_CLONING:
      BeginWrite(s, cmd == ZIP_SOURCE_BEGIN_WRITE ? 0 : len);
      return 0;
    case ZIP_SOURCE_WRITE:
      Write(s, data, static_cast<std::size_t>(len));
      return static_cast<zip_int64_t>(len);
    case ZIP_SOURCE_SEEK_WRITE: {
      zip_int64_t pos = zip_source_seek_compute_offset(s.outPos, s.outEnd, data, len, &s.error);
      if (pos < 0) return -1;
      if (static_cast<std::uint64_t>(pos) < s.outBase) {
        zip_error_set(&s.error, ZIP_ER_SEEK, 0);
        return -1;
      }
      s.outPos = static_cast<std::uint64_t>(pos);
      return 0;
    }
    case ZIP_SOURCE_TELL_WRITE:
      return static_cast<zip_int64_t>(s.outPos);
    case ZIP_SOURCE_COMMIT_WRITE:
      if (!s.direct) {
        s.stream->SetPosition(static_cast<std::int64_t>(s.outBase));
        if (!s.out.empty()) s.stream->WriteBuffer(s.out.data(), s.out.size());
      }
      if (s.stream->Size() != static_cast<std::int64_t>(s.outEnd))
        s.stream->SetSize(static_cast<std::int64_t>(s.outEnd));
      std::vector<std::uint8_t>().swap(s.out);
      return 0;
    case ZIP_SOURCE_ROLLBACK_WRITE:
      // The archive as it was: written over only where the rewrite wrote.
      if (s.direct) {
        s.stream->SetPosition(static_cast<std::int64_t>(s.outBase));
        if (!s.out.empty()) s.stream->WriteBuffer(s.out.data(), s.out.size());
        s.stream->SetSize(static_cast<std::int64_t>(s.outBase + s.out.size()));
      }
      std::vector<std::uint8_t>().swap(s.out);
      return 0;
    case ZIP_SOURCE_REMOVE:
      // libzip removes the file of an archive left without entries; the stream keeps a valid
      // empty archive instead.
      s.stream->SetPosition(0);
      s.stream->WriteBuffer(kEmptyArchive, sizeof kEmptyArchive);
      s.stream->SetSize(sizeof kEmptyArchive);
      return 0;
    case ZIP_SOURCE_SUPPORTS:
      return zip_source_make_command_bitmap(
          ZIP_SOURCE_OPEN, ZIP_SOURCE_READ, ZIP_SOURCE_CLOSE, ZIP_SOURCE_STAT, ZIP_SOURCE_ERROR,
          ZIP_SOURCE_FREE, ZIP_SOURCE_SEEK, ZIP_SOURCE_TELL, ZIP_SOURCE_SUPPORTS,
          ZIP_SOURCE_BEGIN_WRITE, ZIP_SOURCE_BEGIN_WRITE_CLONING, ZIP_SOURCE_COMMIT_WRITE,
          ZIP_SOURCE_ROLLBACK_WRITE, ZIP_SOURCE_WRITE, ZIP_SOURCE_SEEK_WRITE, ZIP_SOURCE_TELL_WRITE,
          ZIP_SOURCE_REMOVE, ZIP_SOURCE_ACCEPT_EMPTY, -1);
    default:
      zip_error_set(&s.error, ZIP_ER_OPNOTSUPP, 0);
      return -1;
  }
}

zip_int64_t ArchiveSourceCallback(void* userdata, void* data, zip_uint64_t len,
                                  zip_source_cmd_t cmd) {
  auto& s = *static_cast<TSourceState*>(userdata);
  try {
    return ArchiveSourceCommand(s, data, len, cmd);
  } catch (const std::exception& e) {
    // Exceptions must not cross libzip; the message is raised again once libzip returns. A
    // failure while putting the old archive back does not hide the one that caused it.
    if (s.failure.empty()) s.failure = e.what();
    bool writing = cmd == ZIP_SOURCE_WRITE || cmd == ZIP_SOURCE_COMMIT_WRITE ||
                   cmd == ZIP_SOURCE_REMOVE || cmd == ZIP_SOURCE_BEGIN_WRITE ||
                   cmd == ZIP_SOURCE_BEGIN_WRITE_CLONING;
    zip_error_set(&s.error, writing ? ZIP_ER_WRITE : ZIP_ER_READ, 0);
    return -1;
  }
}

}  // namespace

TZipArchiveAdapter::TZipArchiveAdapter(TStream& stream, TZipArchiveMode mode)
    : stream_(stream),
      mode_(mode),
      state_(std::make_unique<TSourceState>()),
      inflateLimit_(kDefaultInflateLimit) {
  state_->stream = &stream_;
  state_->acceptEmpty = mode == TZipArchiveMode::Create;
  zip_error_init(&state_->error);
  Open(mode == TZipArchiveMode::Create);
}

TZipArchiveAdapter::~TZipArchiveAdapter() {
  // Every insert has already been written; nothing is left to save.
  if (zip_) zip_discard(zip_);
  zip_error_fini(&state_->error);
}

void TZipArchiveAdapter::Open(bool truncate) {
  state_->failure.clear();
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_function_create(ArchiveSourceCallback, state_.get(), &error);
  if (!source) {
    std::string text = ErrorText(&error);
    zip_error_fini(&error);
    throw EWorkbookException(ZipText(text));
  }
  int flags = mode_ == TZipArchiveMode::Read ? ZIP_RDONLY
              : truncate                     ? ZIP_CREATE | ZIP_TRUNCATE
                                             : ZIP_CREATE;
  zip_ = zip_open_from_source(source, flags, &error);
  if (!zip_) {
    std::string text = state_->failure.empty() ? ErrorText(&error) : state_->failure;
    zip_error_fini(&error);
    zip_source_free(source);
    ThrowInvalid(text);
  }
  zip_error_fini(&error);
  IndexNames();
}

void TZipArchiveAdapter::IndexNames() {
  names_.clear();
  lookup_.clear();
  zip_int64_t count = zip_get_num_entries(zip_, 0);
  names_.reserve(static_cast<std::size_t>(std::max<zip_int64_t>(count, 0)));
  for (zip_int64_t i = 0; i < count; ++i) {
    const char* name = zip_get_name(zip_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
    names_.emplace_back(name ? name : "");
  }
  // A name stored with "/" wins over the same name stored with "\".
  for (int pass = 0; pass < 2; ++pass)
    for (std::size_t i = 0; i < names_.size(); ++i)
      if ((names_[i].find('\\') != std::string::npos) == (pass == 1))
        lookup_.emplace(NormalizedKey(names_[i]), static_cast<int>(i));
}

int TZipArchiveAdapter::Locate(const std::string& name) const {
  auto it = lookup_.find(NormalizedKey(name));
  return it == lookup_.end() ? -1 : it->second;
}

void TZipArchiveAdapter::Insert(const std::string& name, TStream& data, bool stored) {
  CheckWritable();
  auto* dataState = new TDataSourceState;
  dataState->stream = &data;
  dataState->failure = &state_->failure;
  zip_error_init(&dataState->error);
  try {
    dataState->size = std::max<std::int64_t>(data.Size() - data.Position(), 0);
  } catch (const std::exception&) {
    dataState->size = -1;  // a stream that cannot tell its size is read to its end
  }
  AddSource(name, MakeSource(GuardedSourceCallback<TDataSourceState, DataSourceCommand>, dataState),
            stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, stored ? 0 : kZipDeflateLevel);
}

void TZipArchiveAdapter::InsertDeflated(const std::string& name,
                                        const std::vector<TStream*>& pieces) {
  CheckWritable();
  auto* dataState = new TDeflatedSourceState;
  zip_error_init(&dataState->error);
  dataState->failure = &state_->failure;
  dataState->pieces = pieces;
  dataState->crc = static_cast<std::uint32_t>(crc32(0, Z_NULL, 0));
  dataState->compressedSize = sizeof kLastEmptyBlock;
  try {
    for (TStream* piece : pieces) {
      const TCompressedBufferInfo info = TDecompressionStream::ReadInfo(*piece);
      dataState->crc = static_cast<std::uint32_t>(
          crc32_combine(dataState->crc, info.Crc, static_cast<z_off_t>(info.Size)));
      dataState->size += info.Size;
      dataState->compressedSize += static_cast<std::uint64_t>(info.CompressedSize);
      dataState->lengths.push_back(info.CompressedSize);
    }
  } catch (...) {
    zip_error_fini(&dataState->error);
    delete dataState;
    throw;
  }
  // The method the data already has: libzip then copies it without deflating it again.
  AddSource(
      name,
      MakeSource(GuardedSourceCallback<TDeflatedSourceState, DeflatedSourceCommand>, dataState),
      ZIP_CM_DEFLATE, 0);
}

void TZipArchiveAdapter::CheckWritable() const {
  if (mode_ == TZipArchiveMode::Read)
    throw EWorkbookException(u"The zip archive is open for reading only.");
  if (!zip_) throw EWorkbookException(u"The zip archive is closed after a write error.");
}

void TZipArchiveAdapter::AddSource(const std::string& name, zip_source_t* source,
                                   std::int32_t method, std::uint32_t level) {
  int existing = Locate(name);
  zip_int64_t index = existing;
  bool ok;
  if (existing >= 0) {
    ok = zip_file_replace(zip_, static_cast<zip_uint64_t>(existing), source, 0) == 0 &&
         (names_[static_cast<std::size_t>(existing)] == name ||
          zip_file_rename(zip_, static_cast<zip_uint64_t>(existing), name.c_str(),
                          ZIP_FL_ENC_UTF_8) == 0);
  } else {
    index = zip_file_add(zip_, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    ok = index >= 0;
  }
  if (!ok) {
    if (index < 0) zip_source_free(source);
    throw EWorkbookException(ZipText(zip_strerror(zip_)));
  }
  zip_set_file_compression(zip_, static_cast<zip_uint64_t>(index), method, level);
  Commit(existing < 0);
}

void TZipArchiveAdapter::Save() {
  if (!zip_) throw EWorkbookException(u"The zip archive is closed after a write error.");
  if (mode_ == TZipArchiveMode::Read) return;
  if (names_.empty()) {
    stream_.SetPosition(0);
    stream_.WriteBuffer(kEmptyArchive, sizeof kEmptyArchive);
    if (stream_.Size() != static_cast<std::int64_t>(sizeof kEmptyArchive))
      stream_.SetSize(sizeof kEmptyArchive);
    return;
  }
  Commit(false);
}

// libzip writes an archive only when it is closed; reopening it at once keeps it usable, so the
// stream holds the complete archive after every insert.
void TZipArchiveAdapter::Commit(bool appendOnly) {
  state_->failure.clear();
  state_->appendOnly = appendOnly;
  if (zip_close(zip_) != 0) {
    std::string text = state_->failure.empty() ? zip_strerror(zip_) : state_->failure;
    zip_discard(zip_);
    zip_ = nullptr;
    try {
      Open(false);
    } catch (const EWorkbookException&) {
      zip_ = nullptr;
    }
    throw EWorkbookException(ZipText(text));
  }
  zip_ = nullptr;
  Open(false);
}

std::uint64_t TZipArchiveAdapter::DeclaredSize(int index) const {
  zip_stat_t st;
  zip_stat_init(&st);
  if (!zip_ || index < 0 || index >= Count() ||
      zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &st) != 0 ||
      !(st.valid & ZIP_STAT_SIZE))
    return 0;
  return std::min<std::uint64_t>(st.size, INT64_MAX);
}

std::uint64_t TZipArchiveAdapter::CheckedEntrySize(int index, std::uint64_t maxSize) {
  zip_stat_t st;
  zip_stat_init(&st);
  if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &st) != 0)
    ThrowInvalid(zip_strerror(zip_));
  const std::string& name = names_[static_cast<std::size_t>(index)];
  if (!(st.valid & ZIP_STAT_SIZE)) ThrowInvalid("The zip entry \"" + name + "\" has no size.");
  if (st.size > inflateLimit_ - std::min(inflated_, inflateLimit_))
    ThrowInvalid("The zip entry \"" + name + "\" exceeds the size limit of the package.");
  // Refused on the sizes the archive declares, before anything is inflated: an entry never
  // inflates beyond its declared size, and its compressed data lies within the archive.
  const TWorkbookLoadLimits limits = TWorkbookLoadBudget::Limits();
  if (st.size > static_cast<std::uint64_t>(limits.MaxPartBytes) || st.size > maxSize)
    throw EWorkbookFileException(FormatLibraryText(WorkbookLng_PartTooLarge, ZipText(name)));
  // The parts of one load together, not each on its own: many parts just within a per-part
  // bound would cost as much as one beyond it.
  const auto ratio = static_cast<std::uint64_t>(std::max<std::int64_t>(limits.MaxInflateRatio, 1));
  const auto fileSize = static_cast<std::uint64_t>(std::max<std::int64_t>(stream_.Size(), 0));
  const std::uint64_t allowed =
      fileSize > UINT64_MAX / ratio ? UINT64_MAX : std::max(kInflateRatioFloor, fileSize * ratio);
  if (st.size > allowed - std::min(inflated_, allowed)) {
    const std::string times = std::to_string(ratio);
    throw EWorkbookFileException(FormatLibraryText(
        FormatLibraryText(WorkbookLng_PackageTooDense, ZipText(name)), ZipText(times)));
  }
  if ((st.valid & ZIP_STAT_COMP_SIZE) && (st.valid & ZIP_STAT_COMP_METHOD)) {
    bool impossible =
        st.comp_size > static_cast<std::uint64_t>(stream_.Size()) ||
        (st.comp_method == ZIP_CM_STORE     ? st.size != st.comp_size
         : st.comp_method == ZIP_CM_DEFLATE ? st.size > st.comp_size * kMaxDeflateRatio + 1024
                                            : false);
    if (impossible) ThrowInvalid("The zip entry \"" + name + "\" declares an impossible size.");
  }
  return st.size;
}

// Inflates an entry chunk by chunk into sink, never past its declared size nor the package's
// limit, and checks that exactly the declared size came out.
template <typename Sink>
void TZipArchiveAdapter::Inflate(int index, Sink&& sink, std::uint64_t maxSize) {
  if (!zip_) throw EWorkbookException(u"The zip archive is closed after a write error.");
  if (index < 0 || index >= Count()) ThrowInvalid("Invalid zip entry index.");
  const std::uint64_t declared = CheckedEntrySize(index, maxSize);
  const std::string& name = names_[static_cast<std::size_t>(index)];
  state_->failure.clear();
  zip_file_t* file = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
  if (!file) ThrowInvalid(state_->failure.empty() ? zip_strerror(zip_) : state_->failure);
  std::uint64_t done = 0;
  try {
    for (;;) {
      // Asking for one byte more than declared shows an entry that inflates beyond its size.
      std::size_t want =
          static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, declared - done + 1));
      std::uint8_t* buffer = sink.Buffer(want);
      zip_int64_t got = zip_fread(file, buffer, want);
      if (got < 0) {
        std::string text = state_->failure.empty() ? zip_file_strerror(file) : state_->failure;
        ThrowInvalid("The zip entry \"" + name + "\" is damaged: " + text);
      }
      if (got == 0) break;
      done += static_cast<std::uint64_t>(got);
      inflated_ += static_cast<std::uint64_t>(got);
      if (done > declared)
        ThrowInvalid("The zip entry \"" + name + "\" inflates beyond its declared size.");
      if (inflated_ > inflateLimit_)
        ThrowInvalid("The zip entry \"" + name + "\" exceeds the size limit of the package.");
      sink.Commit(static_cast<std::size_t>(got));
    }
    if (done != declared)
      ThrowInvalid("The zip entry \"" + name + "\" is shorter than its declared size.");
  } catch (...) {
    zip_fclose(file);
    throw;
  }
  if (zip_fclose(file) != 0) ThrowInvalid("The zip entry \"" + name + "\" is damaged.");
}

namespace {

class TStreamSink {
 public:
  explicit TStreamSink(TStream& target) : target_(target), buffer_(kChunk + 1) {}
  std::uint8_t* Buffer(std::size_t) { return buffer_.data(); }
  void Commit(std::size_t count) { target_.WriteBuffer(buffer_.data(), count); }

 private:
  TStream& target_;
  std::vector<std::uint8_t> buffer_;
};

// Inflates straight into the vector that becomes the memory stream's storage.
class TBufferSink {
 public:
  explicit TBufferSink(std::vector<std::uint8_t>& data) : data_(data) {}
  std::uint8_t* Buffer(std::size_t count) {
    data_.resize(used_ + count);
    return data_.data() + used_;
  }
  void Commit(std::size_t count) { used_ += count; }
  void Finish() { data_.resize(used_); }

 private:
  std::vector<std::uint8_t>& data_;
  std::size_t used_ = 0;
};

}  // namespace

void TZipArchiveAdapter::Extract(int index, TStream& target) {
  TStreamSink sink(target);
  Inflate(index, sink, UINT64_MAX);
}

std::vector<std::uint8_t> TZipArchiveAdapter::ExtractToBuffer(int index, std::uint64_t maxSize) {
  std::vector<std::uint8_t> data;
  if (index >= 0 && index < Count()) {
    // The declared size is only a hint: never reserve more than a modest amount on its word.
    data.reserve(
        static_cast<std::size_t>(std::min(CheckedEntrySize(index, maxSize), kMaxPreallocation)) +
        1);
  }
  TBufferSink sink(data);
  Inflate(index, sink, maxSize);
  sink.Finish();
  return data;
}

}  // namespace workbook
