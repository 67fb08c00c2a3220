#pragma once

#include <QComboBox>
#include <QHash>
#include <QListWidget>
#include <QStringList>
#include <QTreeWidget>

#include <string>
#include <vector>

namespace gui {

// The mounted file systems stand for drives. Each drive remembers the last folder visited
// on it, in any list; a drive never visited opens on its mount point.
class DriveFolders {
public:
    DriveFolders(); // the system's mounted file systems
    // A fixed set of drives, which refresh() keeps.
    explicit DriveFolders(QStringList mountPoints);

    // Reads the mounted file systems again (a medium may have come or gone).
    void refresh();
    const QStringList& drives() const { return drives_; }
    // The mount point holding folder: the longest one that is folder or one of its parents.
    QString driveOf(const QString& folder) const;
    QString currentFolder(const QString& drive) const;
    void visit(const QString& folder);

private:
    void setDrives(QStringList mountPoints);

    QStringList drives_;
    QHash<QString, QString> current_;
    bool fixed_ = false;
};

// Drive list: its value is the chosen drive's mount point; driveChanged follows every
// change of the value, by the user or by code.
class DriveList : public QComboBox {
    Q_OBJECT
public:
    explicit DriveList(QWidget* parent = nullptr);

    void setDriveFolders(DriveFolders* folders);
    QString drive() const;
    // Emits driveChanged when the value changes.
    void setDrive(const QString& drive);
    // Shows drive without running anything: to put the list back after a failed change.
    void showDriveQuietly(const QString& drive);

    void showPopup() override;

signals:
    void driveChanged(const QString& drive);

private:
    void fill(const QString& selected);

    DriveFolders* folders_ = nullptr;
};

// Folder list: the path from the root to the open folder, then the open folder's
// sub-folders. Opening an entry (double click or Enter) opens that folder. Its value is
// the open folder, a clean absolute path without a trailing separator (except "/").
class FolderList : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderList(QWidget* parent = nullptr);

    QString folder() const { return folder_; }
    // Opens folder; emits folderChanged when that changes the value. A folder that cannot
    // be read changes nothing: folderUnreadable says why and the result is false.
    bool openFolder(const QString& folder);
    // The entry of a folder shown in the list, or nullptr.
    QTreeWidgetItem* entryFor(const QString& folder);

signals:
    void folderChanged(const QString& folder);
    void folderUnreadable(const QString& message);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // The path is shown by indentation alone: no expand arrows, nothing to fold.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    void openEntry(QTreeWidgetItem* item);
    void showFolder(const QString& folder, const QStringList& subFolders);

    QString folder_;
};

// The hidden photo list: the photos of its folder, in the run's order.
class PhotoFileList : public QListWidget {
    Q_OBJECT
public:
    explicit PhotoFileList(QWidget* parent = nullptr);

    QString folder() const { return folder_; }
    // Lists folder's photos; an unreadable folder leaves the list empty and returns false.
    bool setFolder(const QString& folder);
    std::vector<std::string> names() const;
    // The full path of an entry, as the double-click handler shows it.
    QString pathOf(const QListWidgetItem* item) const;

private:
    QString folder_;
};

// Folder texts as the window shows and the run reads them: with one trailing separator.
QString withTrailingSeparator(const QString& folder);

std::string toNative(const QString& path);
QString fromNative(const std::string& path);

} // namespace gui
