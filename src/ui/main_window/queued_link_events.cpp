#include "ui/main_window/queued_link_events.h"

#include <QThread>
#include <utility>

#include "shell/copy_window_texts.h"

namespace tesmora::ui {

QueuedLinkEvents::QueuedLinkEvents(link::LinkEvents& target, QObject* context)
    : target_(target), context_(context) {}

template <typename F>
void QueuedLinkEvents::Post(F&& work) {
  if (QThread::currentThread() == context_->thread()) {
    work();
    return;
  }
  QMetaObject::invokeMethod(context_, std::forward<F>(work), Qt::QueuedConnection);
}

template <typename F>
void QueuedLinkEvents::Wait(F&& work) {
  if (QThread::currentThread() == context_->thread()) {
    work();
    return;
  }
  // A blocking call is queued behind the posted ones, so order is kept.
  QMetaObject::invokeMethod(context_, std::forward<F>(work), Qt::BlockingQueuedConnection);
}

void QueuedLinkEvents::RecorderListCleared() {
  Post([this] { target_.RecorderListCleared(); });
}

void QueuedLinkEvents::RecorderRowAdded(const link::RecorderRow& row) {
  Post([this, row] { target_.RecorderRowAdded(row); });
}

void QueuedLinkEvents::RecorderListEnded() {
  Post([this] { target_.RecorderListEnded(); });
}

void QueuedLinkEvents::RecorderFileCountShown(int count) {
  Post([this, count] { target_.RecorderFileCountShown(count); });
}

void QueuedLinkEvents::ShowCopyProgress(const link::CopyWindowContent& content) {
  Wait([this, &content] { target_.ShowCopyProgress(content); });
}

void QueuedLinkEvents::CopyProgress(link::CopyProgressEvent event) {
  Post([this, event] { target_.CopyProgress(event); });
}

void QueuedLinkEvents::ProgramBytesSent(std::uint32_t sent, std::uint32_t count) {
  // Called for every byte of a program: only the bytes that move the bar are
  // carried over, a hundred in all.
  if (ProgramProgressSteps(sent, count) == 0) return;
  Post([this, sent, count] { target_.ProgramBytesSent(sent, count); });
}

void QueuedLinkEvents::CloseCopyWindow() {
  Post([this] { target_.CloseCopyWindow(); });
}

void QueuedLinkEvents::ShowDeleteProgress(const std::string& name) {
  Wait([this, &name] { target_.ShowDeleteProgress(name); });
}

void QueuedLinkEvents::CloseDeleteWindow() {
  Post([this] { target_.CloseDeleteWindow(); });
}

void QueuedLinkEvents::PcFileStored(const std::string& folder, const std::string& name,
                                    DateSource dateSource) {
  Post([this, folder, name, dateSource] { target_.PcFileStored(folder, name, dateSource); });
}

void QueuedLinkEvents::ArmBatchTimer() {
  Post([this] { target_.ArmBatchTimer(); });
}

void QueuedLinkEvents::BusyCursor(bool busy) {
  Post([this, busy] { target_.BusyCursor(busy); });
}

void QueuedLinkEvents::LineHungUp() {
  Post([this] { target_.LineHungUp(); });
}

void QueuedLinkEvents::LineBack() {
  Post([this] { target_.LineBack(); });
}

}  // namespace tesmora::ui
