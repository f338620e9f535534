#pragma once
// The roots of the model's class tree: TObject lets an owner pointer be checked for its class
// (a row list asks whether its owner is a worksheet); TPersistent is what can copy its content
// from another object of a related class.
#include <stdexcept>

namespace workbook {

class TObject {
 public:
  virtual ~TObject() = default;
};

// Raised when an object is asked to take the content of an object it does not understand.
class EConvertError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class TPersistent : public TObject {
 public:
  // Takes Source's content. By default source decides (AssignTo), so either side may know how.
  virtual void Assign(const TPersistent& source);
  // Copies this object's content into dest; raises EConvertError when no class knows the pair.
  virtual void AssignTo(TPersistent& dest) const;
};

}  // namespace workbook
