#include "settings/QtSettingsStore.h"

#include "settings/Settings.h"

#include <memory>

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace brelker {
namespace {

QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KeyOf(std::string_view subkeyName, std::string_view name = {}) {
    QString key =
        QStringLiteral("v") + ToQString(kVersionText) + QLatin1Char('/') + ToQString(subkeyName);
    if (!name.empty()) {
        key += QLatin1Char('/') + ToQString(name);
    }
    return key;
}

}  // namespace

QtSettingsStore::QtSettingsStore() = default;

QtSettingsStore::QtSettingsStore(std::string filePath) : filePath_(std::move(filePath)) {}

// A store object of its own for every operation; sync() makes it see what
// another running copy wrote since.
static std::unique_ptr<QSettings> Open(const std::string& filePath) {
    auto settings =
        filePath.empty()
            ? std::make_unique<QSettings>(
                  QSettings::NativeFormat, QSettings::UserScope,
                  QString::fromUtf8(brelker::kMakerName.data(),
                                    static_cast<qsizetype>(brelker::kMakerName.size())),
                  QString::fromUtf8(brelker::kProgramName.data(),
                                    static_cast<qsizetype>(brelker::kProgramName.size())))
            : std::make_unique<QSettings>(QString::fromStdString(filePath), QSettings::IniFormat);
    settings->sync();
    return settings;
}

int QtSettingsStore::ReadIntegerSetting(std::string_view subkeyName, std::string_view name,
                                        int defaultValue) const {
    const QVariant value = Open(filePath_)->value(KeyOf(subkeyName, name));
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

bool QtSettingsStore::ReadBoolSetting(std::string_view subkeyName, std::string_view name,
                                      bool defaultValue) const {
    const QString text = Open(filePath_)->value(KeyOf(subkeyName, name)).toString().trimmed();
    bool ok = false;
    const long long number = text.toLongLong(&ok);
    if (ok) {
        return number != 0;
    }
    if (text.compare(QStringLiteral("true"), Qt::CaseInsensitive) == 0) {
        return true;
    }
    if (text.compare(QStringLiteral("false"), Qt::CaseInsensitive) == 0) {
        return false;
    }
    return defaultValue;
}

std::string QtSettingsStore::ReadStringSetting(std::string_view subkeyName, std::string_view name,
                                               std::string_view defaultValue) const {
    const QVariant value = Open(filePath_)->value(KeyOf(subkeyName, name));
    if (!value.isValid()) {
        return std::string(defaultValue);
    }
    // A hand-edited text with commas comes back as a list.
    if (value.typeId() == QMetaType::QStringList) {
        return value.toStringList().join(QStringLiteral(", ")).toStdString();
    }
    if (!value.canConvert<QString>()) {
        return std::string(defaultValue);
    }
    return value.toString().toStdString();
}

void QtSettingsStore::WriteIntegerSetting(std::string_view subkeyName, std::string_view name,
                                          int value) {
    Open(filePath_)->setValue(KeyOf(subkeyName, name), value);
}

void QtSettingsStore::WriteBoolSetting(std::string_view subkeyName, std::string_view name,
                                       bool value) {
    Open(filePath_)->setValue(KeyOf(subkeyName, name), value ? 1 : 0);
}

void QtSettingsStore::WriteStringSetting(std::string_view subkeyName, std::string_view name,
                                         std::string_view value) {
    Open(filePath_)->setValue(KeyOf(subkeyName, name), ToQString(value));
}

void QtSettingsStore::DeleteSettingValue(std::string_view subkeyName, std::string_view name) {
    Open(filePath_)->remove(KeyOf(subkeyName, name));
}

void QtSettingsStore::DeleteSettingsKey(std::string_view subkeyName) {
    Open(filePath_)->remove(KeyOf(subkeyName));
}

std::string QtSettingsStore::Location() const { return Open(filePath_)->fileName().toStdString(); }

}  // namespace brelker
