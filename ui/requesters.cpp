// Requesters: message, yes/no, open and save file, folder, colour and text
// input. The platform's dialogs sit behind one table that tests replace.
#include "ui/ui_internal.h"
#include "ui/image.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The newest window that takes input; a requester over a disabled window
// would be disabled with it.
QWidget* requesterParent() {
  const std::vector<int>& order = windowOrder();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    WindowRec* w = findWindow(*it);
    if (w && w->top->isVisible() && w->top->isEnabled()) return w->top;
  }
  return nullptr;
}

// A window kept above the others (such as the game comments) would hide a
// requester beneath it, while the requester blocks every window: it floats
// above them too.
void floatOverKeptWindows(QDialog& dialog) {
  for (auto& [number, w] : windowTable()) {
    if ((w.flags & WIN_STAYONTOP) && w.top->isVisible()) {
      dialog.setWindowFlag(Qt::WindowStaysOnTopHint, true);
      return;
    }
  }
}

int qtMessage(const std::string& title, const std::string& text, int flags) {
  QMessageBox box(requesterParent());
  box.setWindowTitle(qs(title));
  box.setText(qs(text));
  box.setTextFormat(Qt::PlainText);
  floatOverKeptWindows(box);
  if (flags == MSG_YESNO || flags == MSG_YESNOCANCEL) {
    QPushButton* yes = box.addButton(QStringLiteral("Yes"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("No"), QMessageBox::NoRole);
    QPushButton* cancel =
        flags == MSG_YESNOCANCEL ? box.addButton(QStringLiteral("Cancel"), QMessageBox::RejectRole) : nullptr;
    // Every yes/no question of the program risks data on Yes, so a stray
    // Return or Space answers No.
    box.setDefaultButton(no);
    box.setEscapeButton(cancel ? cancel : no);
    box.exec();
    if (box.clickedButton() == yes) return MSG_RESULT_YES;
    if (cancel && box.clickedButton() != no) return MSG_RESULT_CANCEL;
    return MSG_RESULT_NO;
  }
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.exec();
  return MSG_RESULT_OK;
}

// "desc|pattern|desc|pattern" with patterns separated by ";" becomes Qt's
// "desc (p1 p2)" list.
QStringList filterList(const std::string& pattern) {
  QStringList parts = qs(pattern).split(QLatin1Char('|'));
  QStringList out;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    out << parts[i].trimmed() + QStringLiteral(" (") + patterns.simplified() + QLatin1Char(')');
  }
  return out;
}

std::string fileDialog(bool save, const std::string& title, const std::string& defaultFile,
                       const std::string& pattern, int patternIndex) {
  QFileDialog dialog(requesterParent(), qs(title));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  // The program asks its own overwrite question where it wants one.
  dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
  QStringList filters = filterList(pattern);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (patternIndex >= 0 && patternIndex < filters.size()) dialog.selectNameFilter(filters[patternIndex]);
  }
  if (!defaultFile.empty()) {
    QFileInfo info(qs(defaultFile));
    if (defaultFile.back() == '/') {
      dialog.setDirectory(qs(defaultFile));
    } else {
      if (info.path() != QLatin1String(".")) dialog.setDirectory(info.path());
      dialog.selectFile(info.fileName());
    }
  }
  floatOverKeptWindows(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
  return ss(dialog.selectedFiles().first());
}

std::string qtOpenFile(const std::string& title, const std::string& defaultFile, const std::string& pattern,
                       int patternIndex) {
  return fileDialog(false, title, defaultFile, pattern, patternIndex);
}

std::string qtSaveFile(const std::string& title, const std::string& defaultFile, const std::string& pattern,
                       int patternIndex) {
  return fileDialog(true, title, defaultFile, pattern, patternIndex);
}

std::string qtPath(const std::string& title, const std::string& initialPath) {
  QFileDialog dialog(requesterParent(), qs(title), qs(initialPath));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly, true);
  floatOverKeptWindows(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::string();
  QString dir = dialog.selectedFiles().first();
  if (dir.isEmpty()) return std::string();
  if (!dir.endsWith(QLatin1Char('/'))) dir += QLatin1Char('/');
  return ss(dir);
}

int qtColor(int initialColor) {
  QColor start(initialColor & 255, (initialColor >> 8) & 255, (initialColor >> 16) & 255);
  QColorDialog dialog(start, requesterParent());
  floatOverKeptWindows(dialog);
  if (dialog.exec() != QDialog::Accepted) return -1;
  QColor c = dialog.selectedColor();
  if (!c.isValid()) return -1;
  return rgb(c.red(), c.green(), c.blue());
}

std::string qtInput(const std::string& title, const std::string& text, const std::string& defaultText) {
  QInputDialog dialog(requesterParent());
  dialog.setWindowTitle(qs(title));
  dialog.setLabelText(qs(text));
  dialog.setInputMode(QInputDialog::TextInput);
  dialog.setTextValue(qs(defaultText));
  floatOverKeptWindows(dialog);
  if (dialog.exec() != QDialog::Accepted) return std::string();
  return ss(dialog.textValue());
}

const Requesters platform = {qtMessage, qtOpenFile, qtSaveFile, qtPath, qtColor, qtInput};
const Requesters* active = &platform;

}  // namespace

const Requesters* setRequesters(const Requesters* requesters) {
  const Requesters* before = active;
  active = requesters ? requesters : &platform;
  return before == &platform ? nullptr : before;
}

int messageRequester(const std::string& title, const std::string& text, int flags) {
  return active->message(title, text, flags);
}

std::string openFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& pattern, int patternIndex) {
  return active->openFile(title, defaultFile, pattern, patternIndex);
}

std::string saveFileRequester(const std::string& title, const std::string& defaultFile,
                              const std::string& pattern, int patternIndex) {
  return active->saveFile(title, defaultFile, pattern, patternIndex);
}

std::string pathRequester(const std::string& title, const std::string& initialPath) {
  return active->path(title, initialPath);
}

int colorRequester(int initialColor) { return active->color(initialColor); }

std::string inputRequester(const std::string& title, const std::string& text, const std::string& defaultText) {
  return active->input(title, text, defaultText);
}
