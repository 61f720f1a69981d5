#include "platform/Profile.h"

#include "platform/LocalPath.h"

#include <QSettings>

namespace {

QString KeyOf(const QString& section, const QString& key) {
    return section + QLatin1Char('/') + key;
}

} // namespace

namespace Profile {

int GetInt(const QString& section, const QString& key, int defaultValue) {
    const QVariant value = QSettings().value(KeyOf(section, key));
    bool ok = false;
    const int result = value.toInt(&ok);
    return ok ? result : defaultValue;
}

void WriteInt(const QString& section, const QString& key, int value) {
    QSettings().setValue(KeyOf(section, key), value);
}

QString GetString(const QString& section, const QString& key, const QString& defaultValue) {
    return QSettings().value(KeyOf(section, key), defaultValue).toString();
}

void WriteString(const QString& section, const QString& key, const QString& value) {
    QSettings settings;
    if (value.isEmpty())
        settings.remove(KeyOf(section, key));
    else
        settings.setValue(KeyOf(section, key), value);
}

QString GetPath(const QString& section, const QString& key) {
    const QVariant value = QSettings().value(KeyOf(section, key));
    return value.typeId() == QMetaType::QByteArray
               ? LocalPath::FromBytes(value.toByteArray().toStdString())
               : value.toString();
}

void WritePath(const QString& section, const QString& key, const QString& path) {
    if (LocalPath::IsUtf8(path)) {
        WriteString(section, key, path);
        return;
    }
    QSettings().setValue(KeyOf(section, key), QByteArray::fromStdString(LocalPath::Bytes(path)));
}

int Read(const IntSetting& setting) {
    return GetInt(QString::fromLatin1(setting.section), QString::fromLatin1(setting.key),
                  setting.defaultValue);
}

void Write(const IntSetting& setting, int value) {
    WriteInt(QString::fromLatin1(setting.section), QString::fromLatin1(setting.key), value);
}

} // namespace Profile
