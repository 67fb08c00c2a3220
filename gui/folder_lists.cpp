#include "folder_lists.h"

#include "generation_error.h"
#include "photo_list.h"

#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace gui {

namespace {

QString cleanFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

bool holds(const QString& mountPoint, const QString& folder)
{
    if (mountPoint == QLatin1String("/"))
        return folder.startsWith(QLatin1Char('/'));
    return folder == mountPoint || folder.startsWith(mountPoint + QLatin1Char('/'));
}

// The sub-folders of folder in name order, hidden ones left out; nothing when the folder
// cannot be read, with the reason in error.
std::optional<QStringList> readSubFolders(const QString& folder, std::error_code& error)
{
    namespace fs = std::filesystem;
    fs::directory_iterator it(toNative(folder), error);
    if (error)
        return std::nullopt;
    QStringList names;
    for (; it != fs::directory_iterator(); it.increment(error)) {
        const QString name = fromNative(it->path().filename().string());
        if (name.startsWith(QLatin1Char('.')))
            continue;
        std::error_code ignored;
        if (it->is_directory(ignored))
            names.push_back(name);
    }
    if (error)
        return std::nullopt;
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

QString childFolder(const QString& folder, const QString& name)
{
    return folder == QLatin1String("/") ? folder + name : folder + QLatin1Char('/') + name;
}

} // namespace

std::string toNative(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

QString fromNative(const std::string& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

QString withTrailingSeparator(const QString& folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QLatin1Char('/')))
        return folder + QLatin1Char('/');
    return folder;
}

DriveFolders::DriveFolders()
{
    refresh();
}

DriveFolders::DriveFolders(QStringList mountPoints)
    : fixed_(true)
{
    setDrives(std::move(mountPoints));
}

void DriveFolders::refresh()
{
    if (fixed_)
        return;
    QStringList mountPoints;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady())
            mountPoints.push_back(volume.rootPath());
    }
    setDrives(std::move(mountPoints));
}

void DriveFolders::setDrives(QStringList mountPoints)
{
    // The root always counts, so every folder has a drive.
    mountPoints.push_back(QStringLiteral("/"));
    for (QString& mountPoint : mountPoints)
        mountPoint = cleanFolder(mountPoint);
    mountPoints.sort();
    mountPoints.removeDuplicates();
    drives_ = std::move(mountPoints);
}

QString DriveFolders::driveOf(const QString& folder) const
{
    const QString clean = cleanFolder(folder);
    QString best = QStringLiteral("/");
    for (const QString& drive : drives_) {
        if (holds(drive, clean) && drive.size() > best.size())
            best = drive;
    }
    return best;
}

QString DriveFolders::currentFolder(const QString& drive) const
{
    return current_.value(drive, drive);
}

void DriveFolders::visit(const QString& folder)
{
    current_.insert(driveOf(folder), cleanFolder(folder));
}

DriveList::DriveList(QWidget* parent)
    : QComboBox(parent)
{
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(drive()); });
}

void DriveList::setDriveFolders(DriveFolders* folders)
{
    folders_ = folders;
    const QSignalBlocker quiet(this);
    fill(QString());
}

QString DriveList::drive() const
{
    return currentData().toString();
}

void DriveList::setDrive(const QString& drive)
{
    int index = findData(drive);
    if (index < 0) {
        // A drive mounted since the list was filled.
        {
            const QSignalBlocker quiet(this);
            fill(drive);
        }
        index = findData(drive);
        if (index < 0) {
            const QSignalBlocker quiet(this);
            addItem(drive, drive);
            index = count() - 1;
        }
    }
    setCurrentIndex(index);
}

void DriveList::showDriveQuietly(const QString& drive)
{
    const QSignalBlocker quiet(this);
    setDrive(drive);
}

void DriveList::showPopup()
{
    if (folders_) {
        const QString selected = drive();
        folders_->refresh();
        const QSignalBlocker quiet(this);
        fill(selected);
    }
    QComboBox::showPopup();
}

void DriveList::fill(const QString& selected)
{
    clear();
    if (!folders_)
        return;
    QStringList drives = folders_->drives();
    if (!selected.isEmpty() && !drives.contains(selected))
        drives.push_back(selected);
    for (const QString& drive : drives)
        addItem(drive, drive);
    setCurrentIndex(std::max(0, findData(selected)));
}

FolderList::FolderList(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setIndentation(10);
    setUniformRowHeights(true);
    connect(this, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) { openEntry(item); });
}

bool FolderList::openFolder(const QString& folder)
{
    const QString clean = cleanFolder(folder);
    if (clean == folder_)
        return true;
    std::error_code error;
    const std::optional<QStringList> subFolders = readSubFolders(clean, error);
    if (!subFolders) {
        emit folderUnreadable(QStringLiteral("impossible d'ouvrir le dossier « %1 » : %2")
                                  .arg(clean, QString::fromStdString(generator::frenchReason(error))));
        return false;
    }
    showFolder(clean, *subFolders);
    emit folderChanged(folder_);
    return true;
}

QTreeWidgetItem* FolderList::entryFor(const QString& folder)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() == folder)
            return *it;
    }
    return nullptr;
}

void FolderList::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && currentItem()) {
        openEntry(currentItem());
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void FolderList::openEntry(QTreeWidgetItem* item)
{
    if (item)
        openFolder(item->data(0, Qt::UserRole).toString());
}

void FolderList::showFolder(const QString& folder, const QStringList& subFolders)
{
    folder_ = folder;
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirIcon);

    auto* entry = new QTreeWidgetItem(this, {QStringLiteral("/")});
    entry->setData(0, Qt::UserRole, QStringLiteral("/"));
    entry->setIcon(0, openIcon);
    QString path = QStringLiteral("/");
    for (const QString& part : folder.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = childFolder(path, part);
        entry = new QTreeWidgetItem(entry, {part});
        entry->setData(0, Qt::UserRole, path);
        entry->setIcon(0, openIcon);
    }
    for (const QString& name : subFolders) {
        auto* child = new QTreeWidgetItem(entry, {name});
        child->setData(0, Qt::UserRole, childFolder(folder, name));
        child->setIcon(0, closedIcon);
    }
    expandAll();
    setCurrentItem(entry);
    scrollToItem(entry);
}

PhotoFileList::PhotoFileList(QWidget* parent)
    : QListWidget(parent)
{
}

bool PhotoFileList::setFolder(const QString& folder)
{
    folder_ = folder;
    clear();
    try {
        for (const std::string& name : generator::listPhotoFiles(toNative(folder)))
            addItem(fromNative(name));
    } catch (const generator::GenerationError&) {
        return false;
    }
    return true;
}

std::vector<std::string> PhotoFileList::names() const
{
    std::vector<std::string> result;
    result.reserve(std::size_t(count()));
    for (int i = 0; i < count(); ++i)
        result.push_back(toNative(item(i)->text()));
    return result;
}

QString PhotoFileList::pathOf(const QListWidgetItem* item) const
{
    return withTrailingSeparator(folder_) + item->text();
}

} // namespace gui
