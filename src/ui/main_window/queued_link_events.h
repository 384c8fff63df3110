#pragma once

#include <QObject>

#include "link/link_events.h"

namespace tesmora::ui {

// Carries the reader thread's calls over to the user interface's thread, in
// the order they were made. The two progress windows are waited for, so that
// the thread goes on only once the window stands; every other call is posted
// and the thread does not wait. A call made on the user interface's thread
// itself (the batch drivers run there) is carried out at once.
class QueuedLinkEvents : public QObject, public link::LinkEvents {
  Q_OBJECT

 public:
  // `target` does the work on the thread `context` lives in.
  QueuedLinkEvents(link::LinkEvents& target, QObject* context);

  void RecorderListCleared() override;
  void RecorderRowAdded(const link::RecorderRow& row) override;
  void RecorderListEnded() override;
  void RecorderFileCountShown(int count) override;
  void ShowCopyProgress(const link::CopyWindowContent& content) override;
  void CopyProgress(link::CopyProgressEvent event) override;
  void ProgramBytesSent(std::uint32_t sent, std::uint32_t count) override;
  void CloseCopyWindow() override;
  void ShowDeleteProgress(const std::string& name) override;
  void CloseDeleteWindow() override;
  void PcFileStored(const std::string& folder, const std::string& name,
                    DateSource dateSource) override;
  void ArmBatchTimer() override;
  void BusyCursor(bool busy) override;
  void LineHungUp() override;
  void LineBack() override;

 private:
  template <typename F>
  void Post(F&& work);
  template <typename F>
  void Wait(F&& work);

  link::LinkEvents& target_;
  QObject* context_;
};

}  // namespace tesmora::ui
