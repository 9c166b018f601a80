#include "view/CTitleIcons.h"

#include "platform/ExeIconReader.h"
#include "platform/IconPick.h"
#include "platform/ProgramIcon.h"

#include <QBuffer>
#include <QDateTime>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <cstdlib>

namespace {

// Icons already made, by path and pixel size; an entry is used only while the file still has
// the modification time and size it had when the icon was made.
struct CachedIcon {
    QDateTime modified;
    qint64 size = -1;
    QIcon icon;
};

constexpr qsizetype kMaxCachedIcons = 8192;

QHash<QString, CachedIcon>& Cache()
{
    static QHash<QString, CachedIcon> cache;
    return cache;
}

// How well an image of this size fits (IconPick's rule).
bool Fits(const QSize& candidate, const QSize& best, int px)
{
    return IconPick::Better({candidate.width(), 0}, {best.width(), 0}, px);
}

QList<QImage> ReadImages(QImageReader& reader)
{
    QList<QImage> images;
    const int count = std::max(reader.imageCount(), 1);
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        const QImage image = reader.read();
        if (!image.isNull())
            images.append(image);
    }
    return images;
}

// The image nearest to `px` pixels at the given pixel ratio, scaled to fit them exactly.
QPixmap PixmapFor(const QList<QImage>& images, int px, int ratio)
{
    const int devicePx = px * ratio;
    QImage best;
    for (const QImage& image : images)
        if (best.isNull() || Fits(image.size(), best.size(), devicePx))
            best = image;
    if (best.width() != devicePx || best.height() != devicePx)
        best = best.scaled(devicePx, devicePx, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    best.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(best);
}

// The picture at its size and at twice its size, which screens scaled by two or more draw,
// so an icon file's larger image shows sharp there.
QIcon IconFromIco(QByteArray bytes, int px)
{
    if (bytes.isEmpty())
        return {};
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    reader.setDecideFormatFromContent(false);
    const QList<QImage> images = ReadImages(reader);
    if (images.isEmpty())
        return {};
    QIcon icon;
    for (int ratio : {1, 2})
        icon.addPixmap(PixmapFor(images, px, ratio));
    return icon;
}

QByteArray Bytes(const std::vector<std::uint8_t>& bytes)
{
    return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

// The images the picture needs of an .ico file: those for its size and twice its size.
QByteArray IcoFileImages(const QString& path, int px)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.read(static_cast<qint64>(ExeIconReader::kMaxFileBytes));
    const int sizes[] = {px, 2 * px};
    return Bytes(IconPick::FromIco(
        {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())}, sizes));
}

// The same of a program's icon.
QByteArray ExeImages(const QString& path, int px)
{
    const int sizes[] = {px, 2 * px};
    return Bytes(ExeIconReader::IcoFromFile(QFile::encodeName(path).toStdString(), sizes));
}

// A plain framed sheet in mid greys, readable on light and dark backgrounds, for a file that
// gives no picture at all (the theme's generic program icon is preferred when there is one).
QIcon NeutralIcon(int px)
{
    const QIcon themed = QIcon::fromTheme(QStringLiteral("application-x-executable"));
    if (!themed.isNull())
        return themed;
    QPixmap pixmap(px, px);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal margin = px / 8.0;
    const QRectF sheet(margin, margin / 2, px - 2 * margin, px - margin);
    painter.setPen(QPen(QColor(96, 96, 96), px / 16.0));
    painter.setBrush(QColor(176, 176, 176));
    painter.drawRoundedRect(sheet, px / 10.0, px / 10.0);
    painter.fillRect(QRectF(sheet.left(), sheet.top(), sheet.width(), px / 5.0), QColor(96, 96, 96));
    return QIcon(pixmap);
}

// An icon the desktop names: an image file, or a name in the icon theme (with the older
// pixmaps folder as the last place to look).
QIcon NamedIcon(const std::string& name)
{
    if (name.empty())
        return {};
    const QString text = QString::fromStdString(name);
    if (text.startsWith(QLatin1Char('/'))) {
        const QIcon file(text);
        return file.pixmap(QSize(16, 16)).isNull() ? QIcon() : file;
    }
    const QIcon themed = QIcon::fromTheme(text);
    if (!themed.isNull())
        return themed;
    // Older entries name a file there, with or without its suffix ("xjump-icon.xpm").
    for (const char* suffix : {"", ".png", ".svg", ".xpm"}) {
        const QString pixmap = QStringLiteral("/usr/share/pixmaps/") + text + QLatin1String(suffix);
        if (QFileInfo(pixmap).isFile())
            return QIcon(pixmap);
    }
    return {};
}

QIcon MakeIcon(const QString& path, const QFileInfo& info, int px)
{
    const QString suffix = info.suffix().toLower();
    // A URL, a desktop entry or a Linux program: what the desktop shows for it.
    if (suffix != QLatin1String("ico") && suffix != QLatin1String("exe")) {
        const QIcon named = NamedIcon(ProgramIcon::For(path.toStdString()));
        if (!named.isNull())
            return named;
    }
    if (!info.isFile())
        return NeutralIcon(px);
    QIcon icon;
    if (suffix == QLatin1String("ico"))
        icon = IconFromIco(IcoFileImages(info.filePath(), px), px);
    else if (suffix == QLatin1String("exe"))
        icon = IconFromIco(ExeImages(info.filePath(), px), px);
    if (icon.isNull())
        icon = QFileIconProvider().icon(info);
    return icon.isNull() ? NeutralIcon(px) : icon;
}

}  // namespace

QIcon CTitleIcons::Icon(const QString& path, int iconSize)
{
    const int px = PixelSize(iconSize);
    const QFileInfo info(path);
    const QDateTime modified = info.lastModified();
    const qint64 size = info.exists() ? info.size() : -1;
    const QString key = QString::number(px) + QLatin1Char('|') + path;
    auto& cache = Cache();
    const auto found = cache.constFind(key);
    if (found != cache.constEnd() && found->modified == modified && found->size == size)
        return found->icon;
    if (cache.size() >= kMaxCachedIcons)
        cache.clear();
    const QIcon icon = MakeIcon(path, info, px);
    cache.insert(key, {modified, size, icon});
    return icon;
}
