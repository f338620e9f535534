// A picture's bytes as the XLSX and ODS writers add them to their packages.
#include "workbook/formats/zip/zip_archive.h"
#include "workbook/model/drawing.h"

namespace workbook {

void TExportDrawing::SaveData(TZipArchive& zip, const std::u16string& name) const {
  // The picture file is the only kind of drawing: dynamic_cast throws on any other.
  const TExportImage& image = dynamic_cast<const TExportImage&>(*this);
  // The zip reads from the stream's position, which a const image must not move for others.
  TMemoryStream copy;
  auto& source = const_cast<TMemoryStream&>(image.Data);
  const std::int64_t keep = source.Position();
  source.SetPosition(0);
  copy.CopyFrom(source, source.Size());
  source.SetPosition(keep);
  copy.SetPosition(0);
  zip.AddFile(name, copy);
}

}  // namespace workbook
