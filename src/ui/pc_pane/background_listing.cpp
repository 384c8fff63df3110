#include "ui/pc_pane/background_listing.h"

#include <QCoreApplication>
#include <QPointer>
#include <thread>

namespace tesmora::ui {

std::vector<platform::Drive> LearnedListings::Drives() {
  if (!drives_) drives_ = real_->Drives();
  return *drives_;
}

std::optional<std::vector<platform::DirectoryEntry>> LearnedListings::List(
    const std::string& folder) {
  const auto known = listings_.find(folder);
  if (known != listings_.end()) return known->second;
  auto entries = real_->List(folder);
  if (learning_) listings_.emplace(folder, entries);
  return entries;
}

std::optional<platform::DirectoryEntry> LearnedListings::Entry(const std::string& folder,
                                                               const std::string& name) {
  return real_->Entry(folder, name);
}

std::optional<platform::FileFacts> LearnedListings::Facts(const std::string& path) {
  return real_->Facts(path);
}

platform::FsStatus LearnedListings::CreateFolder(const std::string& path) {
  return learning_ ? platform::FsStatus::Denied : real_->CreateFolder(path);
}

platform::FsStatus LearnedListings::RemoveFolder(const std::string& path) {
  return learning_ ? platform::FsStatus::Denied : real_->RemoveFolder(path);
}

platform::FsStatus LearnedListings::RemoveFile(const std::string& path) {
  return learning_ ? platform::FsStatus::Denied : real_->RemoveFile(path);
}

platform::FsStatus LearnedListings::Rename(const std::string& from, const std::string& to,
                                           bool replace) {
  return learning_ ? platform::FsStatus::Denied : real_->Rename(from, to, replace);
}

platform::FsStatus LearnedListings::CopyFile(const std::string& from, const std::string& to,
                                             platform::OverwritePolicy policy) {
  return learning_ ? platform::FsStatus::Denied : real_->CopyFile(from, to, policy);
}

std::unique_ptr<platform::FileWriter> LearnedListings::OpenWriter(const std::string& path) {
  return learning_ ? nullptr : real_->OpenWriter(path);
}

std::optional<platform::FileIdentity> LearnedListings::Identity(const std::string& path) {
  return real_->Identity(path);
}

void ListInBackground(QObject* context, std::shared_ptr<platform::FileSystem> fs,
                      std::function<void(platform::FileSystem&)> rehearse,
                      std::function<void(platform::FileSystem&)> apply) {
  auto learned = std::make_shared<LearnedListings>(std::move(fs));
  QPointer<QObject> guard(context);
  // Detached: a share that never answers keeps only this thread waiting, and
  // what it holds is its own.
  std::thread([learned, guard, rehearse = std::move(rehearse), apply = std::move(apply)] {
    rehearse(*learned);
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [learned, guard, apply] {
          if (guard.isNull()) return;
          learned->StopLearning();
          apply(*learned);
        },
        Qt::QueuedConnection);
  }).detach();
}

}  // namespace tesmora::ui
