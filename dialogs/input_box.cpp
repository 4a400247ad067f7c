#include "dialogs/input_box.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "device/byte_keys.h"
#include "device/text_cells.h"
#include "dialogs/button.h"
#include "dialogs/dialog.h"
#include "dialogs/dialog_keys.h"
#include "dialogs/dialog_style.h"
#include "dialogs/drawing.h"
#include "dialogs/placement.h"
#include "dialogs/text_field.h"

namespace zul {

namespace {

constexpr int kMinWidth = 40;
constexpr int kMargin = 2;         // blanks between the frame and the texts
constexpr int kLookUpPollMs = 50;  // how often answers are looked for while a look-up is out

// The rows of the box inside its frame, top to bottom; the note only where the
// answer is a path.
enum Row { kTopBlank, kQuestion, kField, kNote, kHint, kLowBlank, kButtons, kRowCount };
// The rows a short window keeps, most needed first.
constexpr std::array<int, kRowCount> kKeptOrder = {kField, kQuestion, kButtons, kHint,
                                                   kNote,  kLowBlank, kTopBlank};

// What the note under the field says, and in which colours.
enum class Note { kNone, kLooking, kFolder, kFile, kNothing, kWildcard, kNoMatch };
struct NoteLook {
  std::string_view text;
  uint16_t attribute = dialog_style::kNoteLooking;
};
NoteLook LookOf(Note note) {
  using namespace dialog_style;
  switch (note) {
    case Note::kNone:
      return {};
    case Note::kLooking:
      return {"Looking...", kNoteLooking};
    case Note::kFolder:
      return {"This folder exists", kNoteFound};
    case Note::kFile:
      return {"This is a file, not a folder", kNoteNotFound};
    case Note::kNothing:
      return {"There is no such folder", kNoteNotFound};
    case Note::kWildcard:
      return {"A folder name may not hold * or ?", kNoteNotFound};
    case Note::kNoMatch:
      return {"No folder name starts so", kNoteNotFound};
  }
  return {};
}

// The characters `text` spells in `code_page`; a byte that spells none is left out.
std::u32string CharactersOf(std::string_view text, const CodePage& code_page) {
  std::u32string characters;
  ForEachCharacter(text, code_page, [&](const TextPiece& piece) {
    if (piece.spelled) characters += piece.character;
  });
  return characters;
}

Note NoteOf(FolderSource::Finding finding) {
  switch (finding) {
    case FolderSource::Finding::kFolder:
      return Note::kFolder;
    case FolderSource::Finding::kFile:
      return Note::kFile;
    case FolderSource::Finding::kWildcard:
      return Note::kWildcard;
    case FolderSource::Finding::kNothing:
      break;
  }
  return Note::kNothing;
}

class InputBox : public Dialog {
 public:
  InputBox(const CodePage& code_page, MonotonicClock& clock, int32_t column, int32_t row, const Text& question,
           const Text& hint, const Text& answer, std::size_t limit, std::shared_ptr<FolderSource> folders)
      : code_page_(code_page),
        clock_(clock),
        column_(column),
        row_(row),
        question_(question),
        hint_(hint),
        field_(code_page_, limit, answer) {
    if (folders == nullptr) return;
    look_ups_ = std::make_unique<FolderLookUps>(std::move(folders));
    AnswerChanged();
  }

  InclusiveRect Layout(const BufferInfo& info) override;
  void Draw(ConsoleDevice& device) override;
  DialogResult OnKey(ConsoleDevice& device, const KeyEvent& key) override;
  DialogResult OnMouse(ConsoleDevice& device, const MouseEvent& mouse) override;
  DialogResult OnPaste(ConsoleDevice& device, std::u32string_view text) override;
  void Tick(ConsoleDevice& device) override;
  int WaitMs() const override;

  Text Answer() const { return field_.Value(); }

 private:
  // A Tab's look-up: the field as it was asked, whose text before the caret it
  // completes, and whether it goes backwards (Shift+Tab).
  struct Completing {
    Text value;
    Text before;
    bool back = false;
  };

  bool Shows(Row row) const { return rows_[row] >= 0; }
  void DrawField(ConsoleDevice& device);
  void DrawNote(ConsoleDevice& device);
  // The field is drawn anew after an edit, a move of the caret or a completion; a
  // changed answer is looked up once typing pauses.
  void FieldChanged(ConsoleDevice& device, std::size_t revision_before);
  void AnswerChanged();
  // Any key or click but Tab ends a round of Tab, and drops a Tab's look-up that is out.
  void EndRound();
  void OnTab(ConsoleDevice& device, bool back);
  void TakeCompletions(ConsoleDevice& device, FolderLookUps::Answer& answer);
  void Complete(ConsoleDevice& device);

  const CodePage& code_page_;
  MonotonicClock& clock_;
  int32_t column_;
  int32_t row_;
  Text question_;
  Text hint_;
  TextField field_;

  std::unique_ptr<FolderLookUps> look_ups_;  // none: the answer is no path
  Note note_ = Note::kNone;
  int64_t find_at_ms_ = -1;  // when what the answer names is to be looked up; -1: not due
  std::optional<Completing> completing_;
  std::vector<Text> choices_;  // the round of Tab under way: the folders' paths
  std::size_t choice_ = 0;     // and the one in the field

  InclusiveRect box_;
  bool framed_ = false;
  int margin_ = 0;
  int text_left_ = 0;                  // first column of the question, the field and the hint
  int text_width_ = 1;                 // and their width in cells
  std::array<int, kRowCount> rows_{};  // screen row of each row, -1 when not shown
  OkCancelButtons buttons_;
};

// Laying the box out:
// 1. a frame when the window has room for one;
// 2. the width: the longer of question and hint with margins, at least kMinWidth,
//    at most the window;
// 3. the rows: all six when they fit, else the most needed ones, in their order;
// 4. the place: centred on the asked cell inside the window;
// 5. the columns of texts, field and buttons inside the frame.
InclusiveRect InputBox::Layout(const BufferInfo& info) {
  const InclusiveRect& window = info.window;
  rows_.fill(-1);
  buttons_.Hide();
  box_ = kEmptyRect;
  if (window.IsEmpty()) return box_;

  framed_ = window.Width() >= 6 && window.Height() >= 3;
  const int frame = framed_ ? 1 : 0;
  const int longest =
      std::min(std::max(TextColumns(question_, code_page_), TextColumns(hint_, code_page_)), 30000);
  const int width = std::max(kMinWidth, longest + 2 * (frame + kMargin));
  std::vector<int> wanted(kKeptOrder.begin(), kKeptOrder.end());
  if (look_ups_ == nullptr) std::erase(wanted, kNote);
  const int row_count = std::min<int>(static_cast<int>(wanted.size()), window.Height() - 2 * frame);

  box_ = PlaceDialog(window, width, row_count + 2 * frame, column_, row_);
  if (box_.IsEmpty()) return box_;
  StackRows(wanted, row_count, box_.top + frame, rows_);
  const int inner_left = box_.left + frame;
  const int inner_right = box_.right - frame;
  const int inner_width = inner_right - inner_left + 1;
  margin_ = inner_width >= 2 * kMargin + 16 ? kMargin : inner_width >= 6 ? 1 : 0;
  text_left_ = inner_left + margin_;
  text_width_ = std::max(1, inner_width - 2 * margin_);
  buttons_.Layout(inner_left, inner_right, rows_[kButtons]);
  return box_;
}

void InputBox::Draw(ConsoleDevice& device) {
  FillRect(device, box_, Cell{' ', dialog_style::kBox});
  if (framed_) DrawFrame(device, box_, dialog_style::kFrame);
  const auto left = static_cast<int16_t>(text_left_);
  if (Shows(kQuestion))
    WriteText(device, code_page_, {left, static_cast<int16_t>(rows_[kQuestion])}, question_, dialog_style::kTitle,
              text_width_);
  if (Shows(kHint))
    WriteText(device, code_page_, {left, static_cast<int16_t>(rows_[kHint])}, hint_, dialog_style::kHint,
              text_width_);
  buttons_.Draw(device, code_page_);
  DrawNote(device);
  DrawField(device);
}

// The note's words on a bar of their colours, a blank either side, at the start of
// its row; the rest of the row is the box's face.
void InputBox::DrawNote(ConsoleDevice& device) {
  if (!Shows(kNote)) return;
  const Coord at{static_cast<int16_t>(text_left_), static_cast<int16_t>(rows_[kNote])};
  FillRect(device, InclusiveRect::FromSize(at, text_width_, 1), Cell{' ', dialog_style::kBox});
  const NoteLook look = LookOf(note_);
  if (look.text.empty()) return;
  Text words(1, ' ');  // ASCII: a cell a byte
  words += look.text;
  words += ' ';
  WriteText(device, code_page_, at, words, look.attribute, std::min(text_width_, static_cast<int>(words.size())));
}

// Rewrites the field's row (the field, and the marks beside it in the margins) and
// puts the cursor at the insertion point; the rest of the box stays as drawn.
void InputBox::DrawField(ConsoleDevice& device) {
  if (!Shows(kField)) return;
  DrawFieldRow(device, code_page_, field_, {ClampToInt16(text_left_), ClampToInt16(rows_[kField])}, text_width_,
               margin_ > 0);
}

void InputBox::AnswerChanged() {
  if (look_ups_ == nullptr) return;
  const bool empty = field_.Empty();
  note_ = empty ? Note::kNone : Note::kLooking;
  find_at_ms_ = empty ? -1 : clock_.NowMs() + kTypingPauseMs;
}

void InputBox::EndRound() {
  choices_.clear();
  completing_.reset();
}

void InputBox::FieldChanged(ConsoleDevice& device, std::size_t revision_before) {
  if (field_.Revision() != revision_before) {
    AnswerChanged();
    DrawNote(device);
  }
  DrawField(device);
}

DialogResult InputBox::OnKey(ConsoleDevice& device, const KeyEvent& key) {
  if (IsEnterKey(key)) return DialogResult::kOk;
  if (IsCancelKey(key)) return DialogResult::kCancel;
  if (look_ups_ != nullptr && key.key == vk::kTab && (key.modifiers & (modifier::kCtrl | modifier::kAlt)) == 0) {
    OnTab(device, (key.modifiers & modifier::kShift) != 0);
    return DialogResult::kOpen;
  }
  EndRound();
  const std::size_t before = field_.Revision();
  if (field_.Edit(key)) FieldChanged(device, before);
  return DialogResult::kOpen;
}

// Tab: the next folder of the round under way (Shift+Tab the one before), or a
// look-up of the folders that complete the text before the caret; none while
// one is out.
void InputBox::OnTab(ConsoleDevice& device, bool back) {
  if (!choices_.empty()) {
    choice_ = (choice_ + (back ? choices_.size() - 1 : 1)) % choices_.size();
    Complete(device);
    return;
  }
  if (completing_) return;
  // What Tab finds tells more than what the text names as it stands: when no folder
  // completes it, it names none.
  find_at_ms_ = -1;
  completing_ = Completing{field_.Value(), field_.BeforeCursor(), back};
  look_ups_->Ask(FolderLookUps::Kind::kCompletions, completing_->before);
  note_ = Note::kLooking;
  DrawNote(device);
}

// Puts the round's folder in place of the text before the caret; what it names is
// looked up at once.
void InputBox::Complete(ConsoleDevice& device) {
  const std::size_t before = field_.Revision();
  field_.ReplaceBeforeCursor(choices_[choice_]);
  FieldChanged(device, before);
  if (find_at_ms_ >= 0) find_at_ms_ = clock_.NowMs();
}

// Completions are taken only while the field holds what they were asked for.
void InputBox::TakeCompletions(ConsoleDevice& device, FolderLookUps::Answer& answer) {
  if (!completing_ || completing_->before != answer.question || completing_->value != field_.Value() ||
      completing_->before != field_.BeforeCursor())
    return;
  const bool back = completing_->back;
  completing_.reset();
  if (answer.completions.empty()) {
    note_ = Note::kNoMatch;
    DrawNote(device);
    return;
  }
  choices_ = std::move(answer.completions);
  choice_ = back ? choices_.size() - 1 : 0;
  Complete(device);
}

void InputBox::Tick(ConsoleDevice& device) {
  if (look_ups_ == nullptr) return;
  for (FolderLookUps::Answer& answer : look_ups_->TakeAnswers()) {
    if (answer.kind == FolderLookUps::Kind::kCompletions) {
      TakeCompletions(device, answer);
    } else if (find_at_ms_ < 0 && !completing_ && answer.question == field_.Value()) {
      note_ = NoteOf(answer.finding);
      DrawNote(device);
    }
  }
  if (find_at_ms_ >= 0 && clock_.NowMs() >= find_at_ms_) {
    find_at_ms_ = -1;
    look_ups_->Ask(FolderLookUps::Kind::kFinding, field_.Value());
  }
}

int InputBox::WaitMs() const {
  if (look_ups_ == nullptr) return -1;
  if (find_at_ms_ >= 0)
    return static_cast<int>(std::clamp<int64_t>(find_at_ms_ - clock_.NowMs(), 0, kTypingPauseMs));
  return look_ups_->Waiting() ? kLookUpPollMs : -1;
}

// A paste goes in at the insertion point, as far as the answer has room; its line
// breaks never answer the box. A path goes in as it spells itself, unquoted.
DialogResult InputBox::OnPaste(ConsoleDevice& device, std::u32string_view text) {
  EndRound();
  const std::size_t before = field_.Revision();
  if (look_ups_ == nullptr) {
    field_.Paste(text);
  } else {
    Text bytes;
    for (const char32_t character : text) code_page_.Encode(character, bytes);
    field_.Paste(CharactersOf(look_ups_->Source().PastedPath(bytes), code_page_));
  }
  FieldChanged(device, before);
  return DialogResult::kOpen;
}

// A left click on a button closes the box with it; a click in the field moves
// the insertion point there.
DialogResult InputBox::OnMouse(ConsoleDevice& device, const MouseEvent& mouse) {
  if (!IsLeftPress(mouse)) return DialogResult::kOpen;
  if (const DialogResult hit = buttons_.Hit(mouse.position); hit != DialogResult::kOpen) return hit;
  const InclusiveRect field =
      InclusiveRect::FromSize({ClampToInt16(text_left_), ClampToInt16(rows_[kField])}, text_width_, 1);
  if (Shows(kField) && field.Contains(mouse.position)) {
    EndRound();
    const std::size_t before = field_.Revision();
    field_.PlaceCursor(mouse.position.x - text_left_);
    FieldChanged(device, before);
  }
  return DialogResult::kOpen;
}

}  // namespace

Text RunInputBox(ConsoleDevice& device, const CodePage& code_page, MonotonicClock& clock, int32_t column_position,
                 int32_t row_position, const Text& question, const Text& hint, const Text& default_answer,
                 std::size_t limit, std::shared_ptr<FolderSource> folders) {
  InputBox box(code_page, clock, column_position, row_position, question, hint, default_answer, limit,
               std::move(folders));
  return RunDialog(device, box) == DialogResult::kOk ? box.Answer() : Text();
}

}  // namespace zul
