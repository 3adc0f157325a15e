#include "app/window/window_run_observer.h"

#include <utility>

#include <QCoreApplication>

#include "app/window/tform1.h"

namespace trackmint {

WindowRunObserver::WindowRunObserver(TForm1& form, std::string kmz_path)
    : m_form(form), m_kmz_path(std::move(kmz_path)) {}

WindowRunObserver::~WindowRunObserver() {
  if (m_settings_locked) m_form.SetSettingsLocked(false);
  if (m_run_button_off) m_form.SetRunEnabled(true);
}

void WindowRunObserver::ReportPhase(RunPhase phase) {
  if (phase == RunPhase::Started) m_form.SetOutputPath(m_kmz_path);
  m_form.ShowPhase(phase);
  if (phase == RunPhase::Started && !m_run_button_off) {
    m_form.SetRunEnabled(false);
    m_run_button_off = true;
  }
  if (phase == RunPhase::Reading && !m_settings_locked) {
    m_form.SetSettingsLocked(true);
    m_settings_locked = true;
  }
}

void WindowRunObserver::ReportProgress(int position) {
  m_form.ShowProgress(position);
}

void WindowRunObserver::ReportPlacemarks(std::int32_t placemarks) {
  m_form.ShowPlacemarks(placemarks);
}

void WindowRunObserver::TakeTurn() {
  QCoreApplication::processEvents();
}

}  // namespace trackmint
