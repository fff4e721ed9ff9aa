#include "PropertyBag.h"

#include <QSettings>
#include <QWidget>

PropertyBag::PropertyBag(QSettings& store, QString group) : m_store(store), m_group(std::move(group)) {}

QString PropertyBag::groupOf(const QWidget& control)
{
    const QWidget* host = control.window();
    const QString hostName = host && host != &control ? host->objectName() : QString();
    return (hostName.isEmpty() ? QStringLiteral("_") : hostName) + QLatin1Char('/') + control.objectName();
}

QString PropertyBag::key(const QString& name) const
{
    return m_group + QLatin1Char('/') + name;
}

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const
{
    return m_store.value(key(name), defaultValue);
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue)
{
    if (defaultValue.isValid() && value == defaultValue)
        m_store.remove(key(name));
    else
        m_store.setValue(key(name), value);
}
