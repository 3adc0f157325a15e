#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QWidget>

namespace trackmint {

// The window's icon: a course arrow on a rounded square, as the installed icon shows it.
QIcon TrackmintIcon();

// The decorative picture at the top left of the window: a track with arrows in the fix colours.
QPixmap TrackPicture(QSize size);

// The picture at the top left of the window. As designed it fills the room it is given with the
// track picture; after a run it shows that run's map and legend, as large as the room allows,
// and a click on it asks for the whole picture.
class PictureBox : public QWidget {
  Q_OBJECT

 public:
  explicit PictureBox(QWidget* parent = nullptr);
  QSize sizeHint() const override;

  // The picture of a run (kPictureWidth by kPictureHeight); a null image brings the design
  // picture back.
  void ShowRunPicture(const QImage& picture);
  bool ShowsRunPicture() const { return !m_run_picture.isNull(); }

 signals:
  void Clicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QImage m_run_picture;
};

}  // namespace trackmint
