// The handlers that open the line-array arrangement dialogs for a request.

#include "dialogs/LV3ModuleArrangementDialog1.h"
#include "dialogs/LV6ModuleArrangementDialog.h"
#include "dialogs/ModuleArrangementDialogs.h"
#include "dialogs/TypeSModuleArrangementDialog1.h"
#include "models/ModuleArrangementRequests.h"
#include "models/SpeakerDataLimits.h"
#include "platform/MessageBox.h"

namespace {

// Runs the dialog on a copy of the request's module vectors, so that Cancel
// leaves the request as it was; on OK the counts and vectors the dialog ends
// with go back into the request.
template <class Dialog>
bool RunModuleVectorDialog(CModuleArrangementRequest& r)
{
    auto* request = dynamic_cast<CModuleVectorArrangementRequest*>(&r);
    if (request == nullptr)
        return false;
    const std::uint64_t total = static_cast<std::uint64_t>(request->m_nCentre) + request->m_nUpper +
                                request->m_nLower;
    if (total > SpeakerDataLimits::kMaxModuleCount)
        return false;

    // One vector per counted module: missing ones repeat the last there is.
    CAxisEntityArray entities = request->m_entities;
    const CAxisEntity filler = entities.empty() ? CAxisEntity() : entities.back();
    entities.resize(static_cast<std::size_t>(total), filler);

    Dialog dialog(request->m_nCentre, request->m_nUpper, request->m_nLower, &entities, request->m_nLengthUnit);
    if (dialog.DoModal() != IDOK)
        return false;

    unsigned counts[4];
    dialog.GetViewParam().GetModuleCounts(counts);
    request->m_nCentre = counts[0];
    request->m_nUpper = counts[1];
    request->m_nLower = counts[2];
    request->m_entities = std::move(entities);
    return true;
}

}  // namespace

void RegisterLineArrayArrangementDialogs(CModuleArrangementDialogs& registry)
{
    registry.Register(5, RunModuleVectorDialog<CLV3ModuleArrangementDialog1>);
    registry.Register(8, RunModuleVectorDialog<CLV6ModuleArrangementDialog>);
    registry.Register(3, RunModuleVectorDialog<CTypeSModuleArrangementDialog1>);
}
