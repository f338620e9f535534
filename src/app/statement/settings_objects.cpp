#include "app/statement/settings_objects.h"

#include <stdexcept>

namespace app {

namespace {

template <typename Object, typename Field>
Field& SectionField(Object& object, TSection section) {
  switch (section) {
    case TSection::A1:
      return object.A1;
    case TSection::A2:
      return object.A2;
    case TSection::B1:
      return object.B1;
    case TSection::B2:
      return object.B2;
    case TSection::B31:
      return object.B31;
    case TSection::B32:
      return object.B32;
    case TSection::C1:
      return object.C1;
    case TSection::C2:
      return object.C2;
    case TSection::D1:
      return object.D1;
    case TSection::D2:
      return object.D2;
    case TSection::SV1:
      return object.SV1;
    case TSection::SV2:
      break;
  }
  return object.SV2;
}

int CheckedSlot(int slot, std::string_view key) {
  if (slot < 0) throw std::out_of_range("unknown column key " + std::string(key));
  return slot;
}

}  // namespace

std::string& tDataSheets::operator[](TSection section) {
  return SectionField<tDataSheets, std::string>(*this, section);
}

const std::string& tDataSheets::operator[](TSection section) const {
  return SectionField<const tDataSheets, const std::string>(*this, section);
}

void tDataSheets::Store(TSection section, std::string_view name) {
  (*this)[section] = std::string(name.substr(0, kMaxSheetNameLength));
}

std::int32_t& tDataOffsets::operator[](TSection section) {
  return SectionField<tDataOffsets, std::int32_t>(*this, section);
}

std::int32_t tDataOffsets::operator[](TSection section) const {
  return SectionField<const tDataOffsets, const std::int32_t>(*this, section);
}

std::int32_t& tDataOrder::ColumnOf(std::string_view key) {
  return Column[CheckedSlot(ColumnSlot(key), key)];
}

std::string& tDataOrder::NoteOf(std::string_view key) {
  return Note[CheckedSlot(NoteSlot(key), key)];
}

std::int32_t tDataOrder::ColumnOf(std::string_view key) const {
  return Column[CheckedSlot(ColumnSlot(key), key)];
}

const std::string& tDataOrder::NoteOf(std::string_view key) const {
  return Note[CheckedSlot(NoteSlot(key), key)];
}

}  // namespace app
