#include "editor/editor_form.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "editor/file_chooser.h"
#include "platform/json_text.h"
#include "platform/message_box.h"
#include "platform/profile.h"
#include "platform/ui_theme.h"
#include "platform/user_files.h"
#include "sim/view_geometry.h"

namespace qm {

namespace {

constexpr int BarTop = 2, BarHeight = 20;
constexpr int CanvasTop = 24, CanvasHeight = 320;
constexpr int RowA = 348, RowB = 372, RowC = 396, RowD = 420;
constexpr const char* DirectionNames[] = {"Incoming", "Going Away", "Crossing"};

std::string SpeedText(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

template <typename T>
std::unique_ptr<T> Make(Form& form, Control* container, const std::string& name, int x, int y,
                        int w, int h, int index = -1) {
  auto control = std::make_unique<T>(form, container, name, index);
  control->Move(x, y, w, h);
  return control;
}

}  // namespace

FrmEditor::FrmEditor(Host& host, EditorConfig config)
    : host_(host), config_(std::move(config)), form_(host) {
  BuildControls();
  form_.KeyDown = [this](int keyCode, int shift) { FormKeyDown(keyCode, shift); };
  form_.KeyPress = [this](int keyAscii) {
    // A box just clicked into takes a new value whole, as a spreadsheet cell does.
    TextBox* box = std::exchange(freshBox_, nullptr);
    if (box && box == form_.Focus() && (keyAscii >= 32 || keyAscii == KeyBack) && keyAscii != 127)
      box->SetText("");
  };
  form_.QueryClose = [this] { return AskToSave(); };
  form_.DumpStateHandler = [this] { return DumpState(); };
  speedFactor_ = SettingsSpeedFactor();
  if (auto art = host_.LoadBitmap(config_.DataDir + "/art.bmp")) artSheet_ = std::move(*art);
}

FrmEditor::~FrmEditor() = default;

void FrmEditor::BuildControls() {
  picEditor = std::make_unique<PictureBox>(form_, nullptr, "picEditor", Form::Width, Form::Height);
  picEditor->BackColor = ui::Face;
  picEditor->MakePersistent();
  Control* p = picEditor.get();

  cmbSeason = Make<ComboBox>(form_, p, "cmbSeason", 4, BarTop, 138, BarHeight);
  cmbField = Make<ComboBox>(form_, p, "cmbField", 146, BarTop, 70, BarHeight);
  cmdNew = Make<CommandButton>(form_, p, "cmdNew", 222, BarTop, 50, BarHeight);
  cmdSave = Make<CommandButton>(form_, p, "cmdSave", 274, BarTop, 44, BarHeight);
  cmdRevert = Make<CommandButton>(form_, p, "cmdRevert", 320, BarTop, 60, BarHeight);
  cmdUndo = Make<CommandButton>(form_, p, "cmdUndo", 386, BarTop, 44, BarHeight);
  cmdRedo = Make<CommandButton>(form_, p, "cmdRedo", 432, BarTop, 44, BarHeight);
  cmdZoom = Make<CommandButton>(form_, p, "cmdZoom", 482, BarTop, 82, BarHeight);
  cmdThrow = Make<CommandButton>(form_, p, "cmdThrow", 566, BarTop, 70, BarHeight);
  cmdNew->SetCaption("New...");
  cmdNew->ToolTipText = "A new field on a picture of your own";
  cmdSave->SetCaption("Save");
  cmdSave->ToolTipText = "Save into your own fields folder (Ctrl+S)";
  cmdRevert->SetCaption("Revert...");
  cmdRevert->ToolTipText = "Go back to the shipped field, removing your copy";
  cmdUndo->SetCaption("Undo");
  cmdUndo->ToolTipText = "Ctrl+Z";
  cmdRedo->SetCaption("Redo");
  cmdRedo->ToolTipText = "Ctrl+Y";
  cmdZoom->SetCaption("Full Size");
  cmdZoom->ToolTipText = "Full size or the whole picture; drag with the right button to scroll";
  cmdThrow->SetCaption("Throw");
  cmdThrow->ToolTipText = "Throw the selected trap's clay in real time";

  picField = std::make_unique<PictureBox>(form_, p, "picField", Form::Width, CanvasHeight);
  picField->Move(0, CanvasTop, Form::Width, CanvasHeight);
  picField->MakePersistent();
  picField->Show();

  lblTitle = Make<Label>(form_, p, "lblTitle", 6, RowA + 3, 70, 16);
  txtTitle = Make<TextBox>(form_, p, "txtTitle", 74, RowA, 300, 20);
  lblSpeed = Make<Label>(form_, p, "lblSpeed", 386, RowA + 3, 80, 16);
  txtSpeed = Make<TextBox>(form_, p, "txtSpeed", 474, RowA, 50, 20);
  lblTrap = Make<Label>(form_, p, "lblTrap", 6, RowB + 3, 34, 16);
  for (int i = 0; i < MaxTraps; ++i) {
    optTrap[i] = std::make_unique<OptionButton>(form_, p, "optTrap", i, "traps");
    optTrap[i]->Move(40 + 28 * i, RowB, 26, 20);
    optTrap[i]->PushButtonStyle = true;
    optTrap[i]->SetCaption(std::to_string(i + 1));
    optTrap[i]->Click = [this, i] {
      if (!syncing_) SelectTrap(i);
    };
  }
  cmdAddTrap = Make<CommandButton>(form_, p, "cmdAddTrap", 156, RowB, 46, 20);
  cmdRemoveTrap = Make<CommandButton>(form_, p, "cmdRemoveTrap", 204, RowB, 62, 20);
  cmdAddTrap->SetCaption("Add");
  cmdRemoveTrap->SetCaption("Remove");
  lblLabel = Make<Label>(form_, p, "lblLabel", 276, RowB + 3, 40, 16);
  txtLabel = Make<TextBox>(form_, p, "txtLabel", 318, RowB, 318, 20);

  lblX = Make<Label>(form_, p, "lblX", 6, RowC + 3, 14, 16);
  txtX = Make<TextBox>(form_, p, "txtX", 20, RowC, 48, 20);
  lblY = Make<Label>(form_, p, "lblY", 74, RowC + 3, 14, 16);
  txtY = Make<TextBox>(form_, p, "txtY", 88, RowC, 48, 20);
  lblDX = Make<Label>(form_, p, "lblDX", 142, RowC + 3, 22, 16);
  txtDX = Make<TextBox>(form_, p, "txtDX", 164, RowC, 52, 20);
  lblDY = Make<Label>(form_, p, "lblDY", 222, RowC + 3, 22, 16);
  txtDY = Make<TextBox>(form_, p, "txtDY", 244, RowC, 52, 20);
  lblFloorY = Make<Label>(form_, p, "lblFloorY", 302, RowC + 3, 48, 16);
  txtFloorY = Make<TextBox>(form_, p, "txtFloorY", 350, RowC, 48, 20);
  cmbDirection = Make<ComboBox>(form_, p, "cmbDirection", 404, RowC, 100, 20);
  chkRabbit = Make<CheckBox>(form_, p, "chkRabbit", 510, RowC, 128, 20);
  chkRabbit->Caption = "Rolls a rabbit";
  chkRabbit->Style.Rgb = ui::Text;
  for (const char* name : DirectionNames) cmbDirection->AddItem(name);
  for (TextBox* box : Boxes()) {
    box->MouseDown = [this, box](int, int, int, int) { freshBox_ = box; };
  }

  lblFlight = Make<Label>(form_, p, "lblFlight", 6, RowD + 2, 628, 16);
  lblWarnings = Make<Label>(form_, p, "lblWarnings", 6, RowD + 18, 628, 30);
  lblStatus = Make<Label>(form_, p, "lblStatus", 6, 464, 628, 16);

  const std::pair<Label*, const char*> captions[] = {{lblTitle.get(), "Field title"},
                                                     {lblSpeed.get(), "Speed factor"},
                                                     {lblTrap.get(), "Trap"},
                                                     {lblLabel.get(), "Label"},
                                                     {lblX.get(), "X"},
                                                     {lblY.get(), "Y"},
                                                     {lblDX.get(), "DX"},
                                                     {lblDY.get(), "DY"},
                                                     {lblFloorY.get(), "Ground"}};
  for (auto [label, caption] : captions) {
    label->Style = {FontFace::Sans, 13, ui::Text};
    label->SetCaption(caption);
  }
  lblFlight->Style = {FontFace::SansBold, 13, ui::Text};
  lblWarnings->Style = {FontFace::Sans, 13, 0x900000};
  lblStatus->Style = {FontFace::Sans, 12, 0x303030};
  txtX->ToolTipText = "Launch point across the picture (0 to 1599)";
  txtY->ToolTipText = "Launch point down the picture (0 to 799)";
  txtDX->ToolTipText = "Starting speed to the right per frame; negative flies left";
  txtDY->ToolTipText = "Starting speed upwards per frame";
  txtFloorY->ToolTipText = "The ground line: a falling clay below it lands";
  txtSpeed->ToolTipText = "Seconds 45 frames take; 0.45 is a machine drawing 100 frames a second";

  for (int f = 1; f <= 5; ++f) cmbField->AddItem("Field " + std::to_string(f));
  for (int s = 0; s < 2; ++s) {
    std::string error;
    auto name = ReadWholeFile(config_.DataDir + "/" + std::to_string(s) + "s.txt", 256, error);
    std::string caption = name ? name->substr(0, name->find_first_of("\r\n")) : "";
    cmbSeason->AddItem(caption.empty() ? "Season " + std::to_string(s + 1) : caption);
  }

  cmbSeason->Click = [this] {
    if (!syncing_) OpenSlot(cmbSeason->ListIndex(), fieldNumber_);
  };
  cmbField->Click = [this] {
    if (!syncing_) OpenSlot(season_, cmbField->ListIndex() + 1);
  };
  cmbDirection->Click = [this] {
    if (syncing_ || field_.Traps.empty()) return;
    FieldDocument changed = field_;
    changed.Traps[selected_].Trap.Direction = static_cast<int16_t>(cmbDirection->ListIndex());
    Change(changed);
  };
  chkRabbit->Click = [this] {
    if (syncing_ || field_.Traps.empty()) return;
    FieldDocument changed = field_;
    changed.Traps[selected_].Trap.Rabbit = static_cast<int16_t>(chkRabbit->Value());
    Change(changed);
  };
  cmdNew->Click = [this] { NewFromPicture(); };
  cmdSave->Click = [this] {
    CommitBoxes();
    Save();
  };
  cmdRevert->Click = [this] { Revert(); };
  cmdUndo->Click = [this] { Undo(); };
  cmdRedo->Click = [this] { Redo(); };
  cmdZoom->Click = [this] { ToggleZoom(std::nullopt); };
  cmdThrow->Click = [this] {
    CommitBoxes();
    Throw();
  };
  cmdAddTrap->Click = [this] { AddTrap(); };
  cmdRemoveTrap->Click = [this] { RemoveTrap(); };
  picField->MouseDown = [this](int b, int s, int x, int y) { CanvasMouseDown(b, s, x, y); };
  picField->MouseMove = [this](int b, int s, int x, int y) { CanvasMouseMove(b, s, x, y); };
  picField->MouseUp = [this](int b, int s, int x, int y) { CanvasMouseUp(b, s, x, y); };
  chooser_ = std::make_unique<FileChooser>(form_, picEditor.get());
}

void FrmEditor::Run() {
  picEditor->Show();
  int season = config_.Season;
  if (season < 0) {
    // The season the game plays now, as its settings file says.
    ProfileFile settings(config_.ConfigDir + "/quillmoor.ini");
    season = settings.GetInt("Settings", "Season", 0);
  }
  season_ = -1;
  OpenSlot(season == 1 ? 1 : 0, config_.Field);
  for (;;) form_.DoEvents();
}

std::string FrmEditor::FieldText(const TextBox* box) const {
  if (box == txtTitle.get()) return field_.Title;
  if (box == txtSpeed.get()) return SpeedText(speedFactor_);
  if (field_.Traps.empty()) return "";
  const TrapEntry& entry = field_.Traps[selected_];
  if (box == txtLabel.get()) return entry.Label;
  if (box == txtX.get()) return std::to_string(entry.Trap.X);
  if (box == txtY.get()) return std::to_string(entry.Trap.Y);
  if (box == txtDX.get()) return SpeedText(entry.Trap.DX);
  if (box == txtDY.get()) return SpeedText(entry.Trap.DY);
  if (box == txtFloorY.get()) return std::to_string(entry.Trap.FloorY);
  return "";
}

std::array<TextBox*, 8> FrmEditor::Boxes() const {
  return {txtTitle.get(), txtSpeed.get(), txtLabel.get(), txtX.get(),
          txtY.get(),     txtDX.get(),    txtDY.get(),    txtFloorY.get()};
}

void FrmEditor::ShowTrap() {
  syncing_ = true;
  const int count = static_cast<int>(field_.Traps.size());
  selected_ = std::clamp(selected_, 0, std::max(0, count - 1));
  for (TextBox* box : Boxes()) {
    const std::string text = FieldText(box);
    if (box->Text() != text) box->SetText(text);
  }
  for (int i = 0; i < MaxTraps; ++i) {
    optTrap[i]->SetEnabled(i < count);
    optTrap[i]->SetValue(i == selected_);
  }
  const bool any = count > 0;
  for (TextBox* box :
       {txtLabel.get(), txtX.get(), txtY.get(), txtDX.get(), txtDY.get(), txtFloorY.get()})
    box->SetEnabled(any);
  cmbDirection->SetEnabled(any);
  chkRabbit->SetEnabled(any);
  if (any) {
    const TrapEntry& entry = field_.Traps[selected_];
    const int direction = entry.Trap.Direction;
    cmbDirection->SetListIndex(direction >= 0 && direction <= 2 ? direction : -1);
    chkRabbit->SetValue(entry.Trap.Rabbit != 0 ? 1 : 0);
  }
  syncing_ = false;
}

void FrmEditor::UpdateCommands() {
  const int count = static_cast<int>(field_.Traps.size());
  cmdUndo->SetEnabled(history_.CanUndo());
  cmdRedo->SetEnabled(history_.CanRedo());
  cmdAddTrap->SetEnabled(count < MaxTraps);
  cmdRemoveTrap->SetEnabled(count > 1);
  cmdRevert->SetEnabled(userCopy_);
  cmdThrow->SetEnabled(count > 0);
  cmdZoom->SetCaption(view_.Zoomed ? "Whole Field" : "Full Size");
  std::string where = userCopy_ ? "your own copy" : "the shipped field";
  lblStatus->ToolTipText = userCopy_ ? "Saved in " + config_.FieldsDir : "";
  if (pictureIsNew_) where = "a new field, not saved yet";
  lblStatus->SetCaption(cmbSeason->Text() + ", field " + std::to_string(fieldNumber_) + ": " +
                        where + (field_ == saved_ && !pictureIsNew_ ? "" : "  (changed)"));
}

void FrmEditor::Refresh() {
  ShowTrap();
  flights_.clear();
  for (const TrapEntry& entry : field_.Traps) flights_.push_back(FlyClay(entry.Trap, speedFactor_));
  if (!field_.Traps.empty()) {
    const TrapEntry& entry = field_.Traps[selected_];
    const FlightPath& flight = flights_[selected_];
    lblFlight->SetCaption("Trap " + std::to_string(selected_ + 1) + ": " + DescribeFlight(flight));
    std::string text;
    for (const std::string& warning : TrapWarnings(entry.Trap, flight))
      text += (text.empty() ? "" : "  ") + warning;
    lblWarnings->SetCaption(text);
  } else {
    lblFlight->SetCaption("");
    lblWarnings->SetCaption("");
  }
  UpdateCommands();
  DrawCanvas();
}

void FrmEditor::Change(const FieldDocument& changed) {
  if (changed == field_) return;
  history_.Record(field_);
  field_ = changed;
  Refresh();
}

bool FrmEditor::CommitBox(TextBox& box) {
  if (field_.Traps.empty() && &box != txtTitle.get() && &box != txtSpeed.get()) return true;
  FieldDocument changed = field_;
  TrapRecord& trap =
      changed.Traps.empty() ? changed.Traps.emplace_back().Trap : changed.Traps[selected_].Trap;
  TypedValue typed;
  if (&box == txtTitle.get()) {
    changed.Title = box.Text();
  } else if (&box == txtLabel.get()) {
    changed.Traps[selected_].Label = box.Text();
  } else if (&box == txtSpeed.get()) {
    typed = ParseTypedSpeed("The speed factor", box.Text());
    if (typed.Value && (*typed.Value <= 0 || *typed.Value > 10)) {
      typed = {std::nullopt, "The speed factor must be more than 0 and at most 10 seconds."};
    }
    if (!typed.Value) {
      MsgBox(form_, typed.Reason, vbOKOnly | vbExclamation);
      ShowTrap();
      return false;
    }
    speedFactor_ = static_cast<float>(*typed.Value);
    Refresh();
    return true;
  } else {
    struct Field {
      TextBox* Box;
      const char* Name;
      bool Whole;
    };
    const Field fields[] = {{txtX.get(), "X", true},
                            {txtY.get(), "Y", true},
                            {txtDX.get(), "DX", false},
                            {txtDY.get(), "DY", false},
                            {txtFloorY.get(), "The ground line", true}};
    for (const Field& f : fields) {
      if (f.Box != &box) continue;
      typed = f.Whole ? ParseTypedWhole(f.Name, box.Text()) : ParseTypedSpeed(f.Name, box.Text());
      if (!typed.Value) {
        MsgBox(form_, typed.Reason, vbOKOnly | vbExclamation);
        ShowTrap();
        return false;
      }
      const double v = *typed.Value;
      if (f.Box == txtX.get()) trap.X = static_cast<int16_t>(v);
      if (f.Box == txtY.get()) trap.Y = static_cast<int16_t>(v);
      if (f.Box == txtDX.get()) trap.DX = static_cast<float>(v);
      if (f.Box == txtDY.get()) trap.DY = static_cast<float>(v);
      if (f.Box == txtFloorY.get()) trap.FloorY = static_cast<int16_t>(v);
    }
  }
  Change(changed);
  return true;
}

void FrmEditor::CommitBoxes() {
  if (season_ < 0) return;  // nothing is open yet
  // Only what the player typed: a box still showing the field's own value changes nothing.
  for (TextBox* box : Boxes()) {
    if (box->Text() != FieldText(box) && !CommitBox(*box)) return;
  }
}

void FrmEditor::SelectTrap(int index) {
  CommitBoxes();
  if (index < 0 || index >= static_cast<int>(field_.Traps.size())) return;
  selected_ = index;
  Refresh();
}

void FrmEditor::AddTrap() {
  CommitBoxes();
  if (field_.Traps.size() >= MaxTraps) return;
  FieldDocument changed = field_;
  TrapEntry entry = NewFieldDocument().Traps.front();
  const int number = static_cast<int>(changed.Traps.size()) + 1;
  entry.Label = "Trap " + std::to_string(number) + " - Crossing";
  // Beside the others rather than on top of them, so the new one can be taken hold of.
  entry.Trap.X = static_cast<int16_t>(entry.Trap.X - 300 + 150 * (number - 1));
  changed.Traps.push_back(entry);
  selected_ = number - 1;
  Change(changed);
}

void FrmEditor::RemoveTrap() {
  if (field_.Traps.size() <= 1) return;
  const std::string question =
      "Remove trap " + std::to_string(selected_ + 1) + " (" + field_.Traps[selected_].Label + ")?";
  if (MsgBox(form_, question, vbYesNo | vbQuestion) != vbYes) return;
  FieldDocument changed = field_;
  changed.Traps.erase(changed.Traps.begin() + selected_);
  if (selected_ >= static_cast<int>(changed.Traps.size())) --selected_;
  Change(changed);
}

void FrmEditor::Undo() {
  if (!history_.CanUndo()) return;
  history_.Undo(field_);
  Refresh();
}

void FrmEditor::Redo() {
  if (!history_.CanRedo()) return;
  history_.Redo(field_);
  Refresh();
}

void FrmEditor::FormKeyDown(int keyCode, int shift) {
  if (keyCode == KeyEscape) {
    throwing_ = false;  // stops a throw under way
    if (dynamic_cast<TextBox*>(form_.Focus())) {
      form_.SetFocus(nullptr);  // what was typed is dropped
      ShowTrap();
    }
    return;
  }
  const bool ctrl = (shift & 2) != 0;
  if (ctrl && keyCode == 'Z') return Undo();
  if (ctrl && keyCode == 'Y') return Redo();
  if (ctrl && keyCode == 'S') {
    CommitBoxes();
    Save();
    return;
  }
  if (keyCode == KeyReturn || keyCode == KeyTab) {
    auto* box = dynamic_cast<TextBox*>(form_.Focus());
    if (box) CommitBoxes();
    // Enter takes the value and gives the keys back to the picture (digits, arrows, Delete).
    if (keyCode == KeyReturn && box) form_.SetFocus(nullptr);
    if (keyCode == KeyTab && box) {
      // Tab walks the boxes in reading order.
      const auto order = Boxes();
      for (size_t i = 0; i < order.size(); ++i) {
        if (order[i] != box) continue;
        form_.SetFocus(order[(i + ((shift & 1) ? order.size() - 1 : 1)) % order.size()]);
        break;
      }
    }
    return;
  }
  if (form_.Focus() != nullptr) return;  // typing in a box
  if (keyCode >= '1' && keyCode <= '4') return SelectTrap(keyCode - '1');
  if (keyCode == KeyDelete) return RemoveTrap();
  if (keyCode == 'Z' && shift == 0) return ToggleZoom(std::nullopt);
  const int step = (shift & 1) ? 10 : 1;
  if (ctrl && keyCode >= KeyLeft && keyCode <= KeyDown) {
    ScrollBy(keyCode == KeyLeft    ? -100
             : keyCode == KeyRight ? 100
                                   : 0,
             keyCode == KeyUp     ? -100
             : keyCode == KeyDown ? 100
                                  : 0);
    return;
  }
  if (keyCode >= KeyLeft && keyCode <= KeyDown && !field_.Traps.empty()) {
    // The arrows nudge the launch point a pixel at a time (ten with Shift).
    FieldDocument changed = field_;
    TrapRecord& trap = changed.Traps[selected_].Trap;
    if (keyCode == KeyLeft) trap.X = static_cast<int16_t>(trap.X - step);
    if (keyCode == KeyRight) trap.X = static_cast<int16_t>(trap.X + step);
    if (keyCode == KeyUp) trap.Y = static_cast<int16_t>(trap.Y - step);
    if (keyCode == KeyDown) trap.Y = static_cast<int16_t>(trap.Y + step);
    Change(changed);
  }
}

std::string FrmEditor::DumpState() const {
  JsonBuilder json;
  json.BeginObject()
      .Add("Season", season_)
      .Add("Field", fieldNumber_)
      .Add("Title", field_.Title)
      .Add("Selected", selected_ + 1)
      .Add("Changed", !(field_ == saved_) || pictureIsNew_)
      .Add("UserCopy", userCopy_)
      .Add("Zoomed", view_.Zoomed)
      .Add("SpeedFactor", std::stod(SpeedText(speedFactor_)))
      .BeginArray("Traps");
  for (size_t i = 0; i < field_.Traps.size(); ++i) {
    const TrapEntry& entry = field_.Traps[i];
    json.BeginObject()
        .Add("Label", entry.Label)
        .Add("X", entry.Trap.X)
        .Add("Y", entry.Trap.Y)
        .Add("DX", std::stod(SpeedText(entry.Trap.DX)))
        .Add("DY", std::stod(SpeedText(entry.Trap.DY)))
        .Add("FloorY", entry.Trap.FloorY)
        .Add("Direction", entry.Trap.Direction)
        .Add("Rabbit", entry.Trap.Rabbit);
    if (i < flights_.size()) {
      json.Add("FlightSeconds", std::round(flights_[i].Seconds * 100) / 100).BeginArray("Warnings");
      for (const std::string& w : TrapWarnings(entry.Trap, flights_[i])) json.Add("", w);
      json.EndArray();
    }
    json.EndObject();
  }
  json.EndArray().EndObject();
  return json.Text() + "\n";
}

}  // namespace qm
