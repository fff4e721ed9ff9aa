#pragma once

#include <QString>
#include <QVariant>

class QSettings;
class QWidget;

// The settings a control keeps with the form that hosts it: one group of a
// settings store per host form and control, read by key with a default and
// written by key with a default (a value equal to its default is not kept).
class PropertyBag {
public:
    PropertyBag(QSettings& store, QString group);

    // "HostForm/Control", from the control's window and its own name.
    static QString groupOf(const QWidget& control);

    QVariant ReadProperty(const QString& name, const QVariant& defaultValue = {}) const;
    // Without a default the value is always kept.
    void WriteProperty(const QString& name, const QVariant& value, const QVariant& defaultValue = {});

private:
    QString key(const QString& name) const;

    QSettings& m_store;
    QString m_group;
};
