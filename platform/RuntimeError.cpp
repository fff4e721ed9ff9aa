#include "RuntimeError.h"

RuntimeError::RuntimeError(int number, QString description, QString source)
    : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
      m_what((QString::number(m_number) + QStringLiteral(": ") + m_description).toStdString())
{
}

RuntimeError RuntimeError::overflow()
{
    return RuntimeError(errnum::Overflow, QStringLiteral("Desbordamiento"));
}

RuntimeError RuntimeError::invalidCall(const QString& detail)
{
    QString text = QStringLiteral("Argumento o llamada a procedimiento no valida");
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    return RuntimeError(errnum::InvalidProcedureCall, text);
}

RuntimeError RuntimeError::typeMismatch(const QString& detail)
{
    QString text = QStringLiteral("No coinciden los tipos");
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    return RuntimeError(errnum::TypeMismatch, text);
}
