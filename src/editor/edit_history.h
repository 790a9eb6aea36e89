#pragma once
// Undo and redo over whole copies of the field: fields are a few hundred bytes, so every
// change simply keeps the field as it was before.

#include <vector>

#include "editor/field_document.h"

namespace qm {

class EditHistory {
 public:
  // Forget everything: `field` is the new starting point (just opened or saved as new).
  void Reset() {
    undo_.clear();
    redo_.clear();
  }
  // Call before changing the field; a change that changes nothing is dropped by the caller.
  void Record(const FieldDocument& before) {
    undo_.push_back(before);
    redo_.clear();
  }
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  // Steps back: `field` becomes the earlier field, the current one can be redone.
  void Undo(FieldDocument& field) {
    if (undo_.empty()) return;
    redo_.push_back(field);
    field = undo_.back();
    undo_.pop_back();
  }
  void Redo(FieldDocument& field) {
    if (redo_.empty()) return;
    undo_.push_back(field);
    field = redo_.back();
    redo_.pop_back();
  }

 private:
  std::vector<FieldDocument> undo_;
  std::vector<FieldDocument> redo_;
};

}  // namespace qm
