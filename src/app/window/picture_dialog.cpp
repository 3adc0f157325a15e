#include "app/window/picture_dialog.h"

#include <algorithm>
#include <utility>

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace trackmint {

PictureDialog::PictureDialog(const QImage& picture, std::function<void()> save, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("PictureDialog"));
  setWindowTitle(QStringLiteral("The picture of the run"));
  auto* image = new QLabel;
  image->setObjectName(QStringLiteral("RunPicture"));
  image->setPixmap(QPixmap::fromImage(picture));
  auto* scroll = new QScrollArea(this);
  scroll->setWidget(image);
  scroll->setAlignment(Qt::AlignCenter);
  scroll->setFrameShape(QFrame::NoFrame);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* save_button =
      buttons->addButton(QStringLiteral("Save as PNG..."), QDialogButtonBox::ActionRole);
  save_button->setObjectName(QStringLiteral("SavePicture"));
  buttons->addButton(QDialogButtonBox::Close);
  connect(save_button, &QPushButton::clicked, this, std::move(save));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(scroll, 1);
  layout->addWidget(buttons);

  // The picture's size with the room the buttons and the margins take, or the screen's.
  const QSize wanted = picture.size() + QSize(12, 12 + buttons->sizeHint().height() + 6);
  const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
  const QSize room = screen != nullptr ? screen->availableSize() : wanted;
  resize(std::min(wanted.width(), room.width()), std::min(wanted.height(), room.height()));
}

}  // namespace trackmint
