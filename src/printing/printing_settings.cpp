#include "printing/printing_settings.h"

#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <cmath>

#include "platform/ordinary_file.h"
#include "platform/whole_file_write.h"
#include "settings/settings_file.h"

using namespace Qt::StringLiterals;

namespace {

// No printer is off by more than this; a larger value is a typing slip.
constexpr double largestOffset = 20.0;

QString escaped(QString text)
{
    return text.replace(u'\\', u"\\\\"_s).replace(u'\n', u"\\n"_s).replace(u'\r', QString());
}

QString unescaped(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\\' && i + 1 < text.size()) {
            ++i;
            out += text.at(i) == u'n' ? u'\n' : text.at(i);
        } else {
            out += text.at(i);
        }
    }
    return out;
}

double offsetFrom(const QString &text, double fallback)
{
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) && std::abs(value) <= largestOffset ? value : fallback;
}

} // namespace

QString honorificText(Honorific honorific)
{
    switch (honorific) {
    case Honorific::Dono:
        return u"殿"_s;
    case Honorific::Onchu:
        return u"御中"_s;
    case Honorific::Sama:
        break;
    }
    return u"様"_s;
}

bool honorificFromText(const QString &text, Honorific *honorific)
{
    for (const Honorific each : {Honorific::Sama, Honorific::Dono, Honorific::Onchu}) {
        if (text == honorificText(each)) {
            *honorific = each;
            return true;
        }
    }
    return false;
}

QString PrintingSettingsFile::fileName()
{
    return QFileInfo(SettingsFile::fileName()).dir().filePath(u"insatsu.ini"_s);
}

PrintingSettings PrintingSettingsFile::read()
{
    PrintingSettings settings;
    QFile file(fileName());
    if (openOrdinaryFile(file, QIODevice::ReadOnly) != OrdinaryOpen::Opened)
        return settings;
    // A hand-edited file of any size costs no more than its first lines.
    const QString text = QString::fromUtf8(file.read(64 * 1024));
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            continue;
        const QString key = line.left(equals).trimmed().toString();
        const QString value = unescaped(line.mid(equals + 1).trimmed());
        if (key == u"sender_postal_code"_s)
            settings.senderPostalCode = value;
        else if (key == u"sender_address"_s)
            settings.senderAddress = value;
        else if (key == u"honorific"_s)
            honorificFromText(value, &settings.honorific);
        else if (key == u"draw_boxes"_s)
            settings.drawBoxes = value == u"1"_s;
        else if (key == u"pictures"_s)
            settings.pictures = value == u"1"_s;
        else if (key == u"offset_x_mm"_s)
            settings.offsetXMillimetres = offsetFrom(value, 0);
        else if (key == u"offset_y_mm"_s)
            settings.offsetYMillimetres = offsetFrom(value, 0);
    }
    return settings;
}

bool PrintingSettingsFile::write(const PrintingSettings &settings, QString *reason)
{
    const auto flag = [](bool on) { return on ? u"1"_s : u"0"_s; };
    const QString text = u"sender_postal_code=%1\nsender_address=%2\nhonorific=%3\n"
                         u"draw_boxes=%4\npictures=%5\noffset_x_mm=%6\noffset_y_mm=%7\n"_s
                             .arg(escaped(settings.senderPostalCode),
                                  escaped(settings.senderAddress),
                                  honorificText(settings.honorific), flag(settings.drawBoxes),
                                  flag(settings.pictures),
                                  QString::number(settings.offsetXMillimetres),
                                  QString::number(settings.offsetYMillimetres));
    return writeWholeFile(fileName(), text.toUtf8(), reason, InPlaceFallback::Yes);
}
