#include "PngReader.h"

#include <QImageReader>

namespace {

// While Qt's own reader is at work, this plugin does not answer, so Qt takes its built-in one.
thread_local bool delegating = false;

class Delegation
{
public:
    Delegation() { delegating = true; }
    ~Delegation() { delegating = false; }
    Delegation(const Delegation &) = delete;
    Delegation &operator=(const Delegation &) = delete;
};

bool isPng(QIODevice *device)
{
    return device && device->peek(8) == QByteArrayLiteral("\x89PNG\r\n\x1a\n");
}

// Qt's built-in PNG reader behind a plugin's handler. The reader is made per call:
// Qt holds its plugin lock while a handler is created.
class PngHandler : public QImageIOHandler
{
public:
    bool canRead() const override
    {
        if (!isPng(device()))
            return false;
        setFormat("png");
        return true;
    }

    bool read(QImage *image) override
    {
        const Delegation delegation;
        QImageReader reader(device(), "png");
        reader.setAutoDetectImageFormat(false);
        return reader.read(image);
    }

    bool supportsOption(ImageOption option) const override { return option == Size; }

    QVariant option(ImageOption option) const override
    {
        if (option != Size || !device() || device()->isSequential())
            return {};
        const Delegation delegation;
        const qint64 start = device()->pos();
        QImageReader reader(device(), "png");
        reader.setAutoDetectImageFormat(false);
        const QSize size = reader.size();
        device()->seek(start);
        return size;
    }
};

} // namespace

QImageIOPlugin::Capabilities PngReader::capabilities(QIODevice *device, const QByteArray &format) const
{
    if (delegating || (!format.isEmpty() && format != "png"))
        return {};
    // A file named .png that holds another format is left to the plugins that read it.
    if (device && device->isOpen())
        return isPng(device) ? CanRead : Capabilities();
    return format.isEmpty() ? Capabilities() : CanRead;
}

QImageIOHandler *PngReader::create(QIODevice *device, const QByteArray &format) const
{
    auto *handler = new PngHandler;
    handler->setDevice(device);
    handler->setFormat(format.isEmpty() ? QByteArrayLiteral("png") : format);
    return handler;
}

#include "moc_PngReader.cpp"
