#include "dialogs/CabinetArrangementDialogs.h"

#include "dialogs/TypeAModuleArrangementDialog1.h"
#include "dialogs/TypeCModuleArrangementDialog1.h"
#include "dialogs/TypeHModuleArrangementDialog.h"
#include "models/ModuleArrangementRequests.h"
#include "models/SpeakerDataLimits.h"
#include "platform/MessageBox.h"

#include <cstdint>

namespace {

// Runs the dialog on a copy of the request's parameters, so that Cancel
// leaves the request as it was; on OK the counts and the parameters the
// dialog ends with (one per element) go back into the request.
template <class Dialog>
bool RunCabinetDialog(CModuleArrangementRequest& r)
{
    auto* request = dynamic_cast<CCabinetArrangementRequest*>(&r);
    if (request == nullptr)
        return false;
    const std::uint64_t total = static_cast<std::uint64_t>(request->m_nCentre) + request->m_nUpper +
                                request->m_nLower;
    if (total > SpeakerDataLimits::kMaxModuleCount)
        return false;

    Dialog dialog(request->m_nCentre, request->m_nUpper, request->m_nLower, request->m_units,
                  request->m_nLengthUnit);
    CTypeAandCParamArray& params = dialog.GetParams();
    for (std::size_t i = 0; i < params.size() && i < request->m_params.size(); ++i)
        params[i] = request->m_params[i];
    if (dialog.DoModal() != IDOK)
        return false;

    unsigned counts[4];
    dialog.GetViewParam().GetModuleCounts(counts);
    request->m_nCentre = counts[0];
    request->m_nUpper = counts[1];
    request->m_nLower = counts[2];
    request->m_params = dialog.GetParams();
    return true;
}

}  // namespace

void RegisterCabinetArrangementDialogs(CModuleArrangementDialogs& registry)
{
    registry.Register(6, RunCabinetDialog<CTypeAModuleArrangementDialog1>);
    registry.Register(7, RunCabinetDialog<CTypeCModuleArrangementDialog1>);
    registry.Register(4, RunCabinetDialog<CTypeHModuleArrangementDialog>);
}
