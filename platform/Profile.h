#pragma once

#include <QString>

// A named integer of the settings store and its default.
struct IntSetting {
    const char* section;
    const char* key;
    int defaultValue;
};

// The per-user settings store: named integers and strings in sections, kept
// with QSettings under the organisation and application names the program
// sets at start-up. Failures are silent: a failed read gives the default.
namespace Profile {

int GetInt(const QString& section, const QString& key, int defaultValue);
void WriteInt(const QString& section, const QString& key, int value);
QString GetString(const QString& section, const QString& key,
                  const QString& defaultValue = QString());
// An empty value removes the entry.
void WriteString(const QString& section, const QString& key, const QString& value);
// A file name in the section: kept as text, or, for a name whose bytes
// are not UTF-8 (see LocalPath), as those bytes, which text in the
// settings file would not keep.
QString GetPath(const QString& section, const QString& key);
void WritePath(const QString& section, const QString& key, const QString& path);

int Read(const IntSetting& setting);
void Write(const IntSetting& setting, int value);

} // namespace Profile
