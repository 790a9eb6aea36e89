#pragma once
// The field editor's one window: the field's backdrop with its traps, their flights and
// warnings above, the values of the selected trap below. The form owns every piece of
// editor state and wires the field document, the game's flight code and the controls.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "editor/edit_history.h"
#include "editor/field_document.h"
#include "editor/flight_preview.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/picture_box.h"

namespace qm {

struct EditorConfig {
  std::string DataDir;    // the shipped fields and the art sheet
  std::string ConfigDir;  // quillmoor.ini, for the speed factor of the last timing run
  std::string FieldsDir;  // the player's own fields, where saving writes
  int Season = -1;        // what to open first; -1 for the settings' season
  int Field = 1;
};

class FileChooser;

class FrmEditor {
 public:
  FrmEditor(Host& host, EditorConfig config);
  ~FrmEditor();
  void Run();

 private:
  // Canvas geometry: the backdrop at Scale, its point (OriginX, OriginY) at the canvas's
  // top-left corner.
  struct CanvasView {
    double Scale = 0.4;
    double OriginX = 0, OriginY = 0;
    bool Zoomed = false;
  };
  // What a press on the canvas took hold of.
  enum class Grip { None, Launch, Speed, Ground, Pan };

  // Layout and wiring (editor_form.cpp)
  void BuildControls();
  void ShowTrap();                                  // the selected trap's values into the boxes
  std::array<TextBox*, 8> Boxes() const;            // every box a value is typed into, in Tab order
  std::string FieldText(const TextBox* box) const;  // what the box shows of the field
  void UpdateCommands();                      // what can be pressed now, the window's status line
  void Refresh();                             // after any change: boxes, flights, warnings, canvas
  void Change(const FieldDocument& changed);  // a change the player can undo
  void CommitBoxes();  // typed values that differ from the field become a change
  bool CommitBox(TextBox& box);
  void SelectTrap(int index);
  void AddTrap();
  void RemoveTrap();
  void Undo();
  void Redo();
  void FormKeyDown(int keyCode, int shift);
  std::string DumpState() const;

  // The canvas (editor_canvas.cpp)
  void LoadBackdrop(Surface picture);
  void DrawCanvas();
  void DrawTrap(Surface& s, int index, bool selected);
  void DrawFlight(Surface& s, const FlightPath& path, uint32_t rgb, bool marks);
  void CanvasMouseDown(int button, int shift, int x, int y);
  void CanvasMouseMove(int button, int shift, int x, int y);
  void CanvasMouseUp(int button, int shift, int x, int y);
  void ToggleZoom(std::optional<Point> around);
  void ScrollBy(double dx, double dy);
  void Throw();
  Point ToCanvas(double bx, double by) const;
  void ToBackdrop(int cx, int cy, double& bx, double& by) const;
  Point SpeedHandle(const TrapRecord& trap) const;  // backdrop

  // Files (editor_files.cpp)
  void OpenSlot(int season, int field);  // asks about unsaved changes first
  void LoadSlot(int season, int field);
  bool AskToSave();  // false: the player cancelled
  bool Save();
  void Revert();
  void NewFromPicture();
  std::string Stem() const;
  std::string UserFieldPath() const;
  std::string UserBackdropPath() const;
  float SettingsSpeedFactor() const;
  void ReportSave(const std::string& file, bool ok);

  Host& host_;
  EditorConfig config_;
  Form form_;

  // Controls, created in BuildControls, in drawing order.
  std::unique_ptr<PictureBox> picEditor, picField;
  std::unique_ptr<ComboBox> cmbSeason, cmbField, cmbDirection;
  std::unique_ptr<CommandButton> cmdNew, cmdSave, cmdRevert, cmdUndo, cmdRedo, cmdZoom, cmdThrow,
      cmdAddTrap, cmdRemoveTrap;
  std::array<std::unique_ptr<OptionButton>, MaxTraps> optTrap;
  std::unique_ptr<TextBox> txtTitle, txtLabel, txtX, txtY, txtDX, txtDY, txtFloorY, txtSpeed;
  std::unique_ptr<CheckBox> chkRabbit;
  std::unique_ptr<Label> lblTitle, lblSpeed, lblTrap, lblLabel, lblX, lblY, lblDX, lblDY, lblFloorY,
      lblFlight, lblWarnings, lblStatus;
  std::unique_ptr<FileChooser> chooser_;

  // The field and its editing state.
  FieldDocument field_;
  FieldDocument saved_;  // as last opened or saved: a difference means unsaved changes
  EditHistory history_;
  int season_ = 0, fieldNumber_ = 1;
  int selected_ = 0;
  bool pictureIsNew_ = false;  // a new picture that saving must write beside the field file
  bool userCopy_ = false;      // the field came from the player's own folder
  float speedFactor_ = DefaultSpeedFactor;
  std::vector<FlightPath> flights_;  // one per trap, flown again after every change
  bool syncing_ = false;             // the program is filling controls: no change events

  Surface backdrop_;  // 1600 x 800
  Surface fitImage_;  // the backdrop scaled to the canvas
  Surface artSheet_;  // the clay sprites for Throw
  CanvasView view_;
  Grip grip_ = Grip::None;
  FieldDocument beforeDrag_;
  Point dragFrom_{};
  double panFromX_ = 0, panFromY_ = 0;
  bool throwing_ = false;
  TextBox* freshBox_ = nullptr;  // just clicked: the first key typed replaces its text
};

}  // namespace qm
