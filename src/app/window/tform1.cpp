#include "app/window/tform1.h"

#include <exception>
#include <utility>

#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QUrl>

#include "app/error_text.h"
#include "app/window/file_field.h"
#include "app/window/screen_fit.h"
#include "app/window/swatch.h"
#include "app/window/up_down.h"
#include "app/window/window_dialogs.h"
#include "app/window/window_pictures.h"

namespace trackmint {

TForm1::TForm1(WindowDialogs& dialogs, std::string executable_path, RunCommand run, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      m_dialogs(dialogs),
      m_executable_path(std::move(executable_path)),
      m_run(std::move(run)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(kWindowCaption));
  setWindowIcon(TrackmintIcon());
  BuildControls();
  ConnectEvents();
  const SettingValues design;
  move(design.window_left, design.window_top);
}

TForm1::~TForm1() = default;

bool TForm1::HandleEvent(const std::function<void()>& handler) {
  try {
    handler();
    return true;
  } catch (const std::exception& error) {
    ShowErrorDisplay(error.what());
  } catch (...) {
    ShowErrorDisplay(std::string());  // a failure without a message of its own
  }
  return false;
}

void TForm1::ShowErrorDisplay(const std::string& message) {
  m_dialogs.ShowError(ErrorDisplayText(message));
}

void TForm1::ConnectEvents() {
  // Qt passes no exception through its event dispatch, so each handler is wrapped here.
  const auto on = [this](auto handler) {
    return [this, handler] { HandleEvent([this, handler] { (this->*handler)(); }); };
  };
  // The file fields' rules are for what the user types; a file set from a chooser or a drop comes
  // with its full path.
  connect(m_edit1, &QLineEdit::textEdited, this, on(&TForm1::Edit1Change));
  connect(m_edit6, &QLineEdit::textEdited, this, on(&TForm1::Edit6Change));
  connect(m_edit2, &QLineEdit::textChanged, this, on(&TForm1::Edit2Change));
  connect(m_speed_button_open, &QToolButton::clicked, this, on(&TForm1::SpeedButtonOpenClick));
  connect(m_speed_button_save, &QToolButton::clicked, this, on(&TForm1::SpeedButtonSaveClick));
  connect(m_speed_button1, &QToolButton::clicked, this, on(&TForm1::SpeedButton1Click));
  connect(m_speed_button2, &QToolButton::clicked, this, on(&TForm1::SpeedButton2Click));
  connect(m_speed_button3, &QPushButton::clicked, this, on(&TForm1::SpeedButton3Click));
  connect(m_image1, &PictureBox::Clicked, this, on(&TForm1::Image1Click));
  for (Swatch* swatch : m_class_swatches) {
    connect(swatch, &Swatch::Pressed, this,
            [this, swatch] { HandleEvent([this, swatch] { SwatchMouseDown(*swatch); }); });
  }
  connect(m_shape_full_track, &Swatch::Pressed, this,
          [this] { HandleEvent([this] { SwatchMouseDown(*m_shape_full_track); }); });
  // A check box's click event follows every change of its state, by the user or by a load.
  connect(m_check_box1, &QCheckBox::toggled, this, on(&TForm1::CheckBox1Click));
  connect(m_up_down1, &UpDown::Clicked, this, [this](SpinDirection direction) {
    HandleEvent([this, direction] { UpDown1Click(direction); });
  });
  connect(m_up_down2, &UpDown::Clicked, this, [this](SpinDirection direction) {
    HandleEvent([this, direction] { UpDown2Click(direction); });
  });
  connect(m_up_down3, &UpDown::Clicked, this, [this](SpinDirection direction) {
    HandleEvent([this, direction] { UpDown3Click(direction); });
  });
}

void TForm1::ShowOnScreen() {
  KeepOnScreen();  // before the window is mapped, so it opens where it stays
  show();
  KeepOnScreen();  // with the frame, where the platform tells it at once
  m_keep_on_screen_when_activated = true;
}

void TForm1::KeepOnScreen() {
  const QRect frame = frameGeometry();
  QScreen* screen = QGuiApplication::screenAt(frame.center());
  if (screen == nullptr) screen = this->screen();  // off every screen: the one Qt gives it
  if (screen == nullptr) return;
  const QRect available = screen->availableGeometry();
  if (available.isEmpty()) return;
  // The position of a window is that of its frame.
  const QPoint place = FitOnScreen(frame, available);
  if (place != frame.topLeft()) move(place);
}

bool TForm1::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate && m_keep_on_screen_when_activated) {
    m_keep_on_screen_when_activated = false;
    KeepOnScreen();
  }
  return QWidget::event(event);
}

void TForm1::closeEvent(QCloseEvent* event) {
  // The close goes on unless the close procedure failed (a settings file that cannot be written).
  event->ignore();
  HandleEvent([this, event] {
    FormClose();
    event->accept();
  });
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (AcceptsDrop(event->mimeData())) event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  if (AcceptsDrop(event->mimeData())) event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  FormWndProc(event);
}

bool TForm1::AcceptsDrop(const QMimeData* mime_data) const {
  if (!acceptDrops() || m_run_in_progress || mime_data == nullptr) return false;
  for (const QUrl& url : mime_data->urls()) {
    if (url.isLocalFile()) return true;
  }
  return false;
}

}  // namespace trackmint
