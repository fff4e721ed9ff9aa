// The lookups of the header fields and of the grid's cell editor: the value
// picked goes into the text box, which then takes an Enter as if typed.
#include "frmDRAVELO_ASIGNAR_UBICACION.h"

#include "ComprobanteTransferencia.h"

#include "core/DB_Dll.h"
#include "core/Globals.h"
#include "grid/VrDbGrid.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/ErrorTrap.h"
#include "platform/Keys.h"
#include "platform/TextBox.h"
#include "platform/Value.h"

#include <algorithm>

void frmDRAVELO_ASIGNAR_UBICACION::CmdConsultar()
{
    TextBox* const control = ControlActivo;
    if (!control)
        return;
    const QString tag = control->tag().trimmed();
    if (tag.isEmpty())
        return;
    const auto campo = std::find(TxtFields.begin(), TxtFields.end(), control);

    ErrorTrap::showing(QStringLiteral("CmdConsultar"))
        .run({
            [&] {
                Lib_ClsCons3& consultas = ObjConsultas();
                if (lang::sameText(tag, u"V_TA_Deposito")) {
                    consultas.CampoDevuelto = QStringLiteral("iddeposito");
                    consultas.ConsultaSearch(SentenciaConsultaDepositos(ObjDB(), UsuarioLogeado));
                    const QString valor = consultas.ValorDevuelto.toString().trimmed();
                    if (!valor.isEmpty())
                        control->setText(valor);
                } else if (lang::sameText(tag, u"V_MA_ARTICULOS")) {
                    consultas.CampoDevuelto = QStringLiteral("IdArticulo");
                    consultas.ConsultaSearch(QStringLiteral("V_MA_ARTICULOS"), &consultas.CmpsDevueltos);
                    control->setText(consultas.ValorDevuelto.toString().trimmed());
                } else if (!lang::sameText(tag, u"Fecha")) {
                    ErrorTrap::leave();
                }
                // The date has no list to pick from: its field keeps what the
                // operator typed.
            },
            [&] {
                int enter = keys::Enter;
                if (campo != TxtFields.end())
                    TxtFields_KeyDown(static_cast<int>(campo - TxtFields.begin()), enter, 0);
                else if (control == VrDbGrid1->txtEdit)
                    VrDbGrid1_txtEditKeyDown(enter, 0);
            },
        });
}
