#pragma once

#include <functional>

#include <QDialog>
#include <QImage>

namespace trackmint {

// The whole picture of a run in a box of its own, as large as the picture or the screen,
// whichever is smaller (scrolled when the screen is smaller), with a button to save it as a PNG
// file and one to close the box.
class PictureDialog : public QDialog {
  Q_OBJECT

 public:
  PictureDialog(const QImage& picture, std::function<void()> save, QWidget* parent = nullptr);
};

}  // namespace trackmint
