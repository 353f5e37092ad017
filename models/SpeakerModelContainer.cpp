#include "models/SpeakerModelContainer.h"

#include "models/SpeakerDataProblem.h"
#include "platform/Archive.h"
#include "platform/Numbers.h"
#include "platform/TextFile.h"
#include "resources/StringTable.h"

#include <cstdint>
#include <string>
#include <utility>

namespace {

constexpr unsigned kIdsUnknownModel = 39210;

// The smallest model record: type code, tap-table header, name, suffix,
// data header and current tap.
constexpr std::uint64_t kMinModelRecordSize = 2 + 6 + 1 + 1 + 40 + 2;

std::unique_ptr<CSpeakerModel> ReadModelRecord(CArchive& ar, DWORD version)
{
    std::unique_ptr<CSpeakerModel> model = CSpeakerModel::CreateFromArchive(ar, version);
    // An unknown model has no stored length, so nothing after it can be
    // read in step: the load ends here.
    if (!model)
        CArchive::ThrowExplained(LoadStringId(kIdsUnknownModel));
    return model;
}

}  // namespace

CSpeakerModelContainer::~CSpeakerModelContainer() = default;

BOOL CSpeakerModelContainer::ImportModel(CStdioFile& file, int unitFlag, IProgress* progress,
                                         CSpeakerDataProblem* problem)
{
    std::string line;
    if (!file.ReadString(line)) {
        if (problem)
            problem->SetFromFile(file, CSpeakerDataProblem::kTypeCode);
        return FALSE;
    }
    std::unique_ptr<CSpeakerModel> model = CSpeakerModel::CreateModel(Numbers::Atoi(line));
    if (!model) {
        if (problem)
            problem->SetValueOutOfRange(CSpeakerDataProblem::kTypeCode, file.LineNumber());
        return FALSE;
    }
    model->SetUnitFlag(unitFlag);
    if (!model->ImportFromFile(file, progress, problem))
        return FALSE;
    m_models.push_back(std::move(model));
    return TRUE;
}

CSpeakerModel* CSpeakerModelContainer::GetCurrent() const
{
    return GetAt(m_nCurrent);
}

CSpeakerModel* CSpeakerModelContainer::GetAt(int i) const
{
    if (i < 0 || i >= GetCount())
        return nullptr;
    return m_models[static_cast<std::size_t>(i)].get();
}

void CSpeakerModelContainer::Add(std::unique_ptr<CSpeakerModel> model)
{
    if (model)
        m_models.push_back(std::move(model));
}

void CSpeakerModelContainer::RemoveAt(int i)
{
    if (i >= 0 && i < GetCount())
        m_models.erase(m_models.begin() + i);
    if (m_models.empty())
        m_nCurrent = 0;
    else if (m_nCurrent >= GetCount())
        m_nCurrent = GetCount() - 1;
}

void CSpeakerModelContainer::RemoveAll()
{
    m_models.clear();
}

void CSpeakerModelContainer::Serialize(CArchive& ar, int unitFlag, DWORD version)
{
    if (ar.IsStoring()) {
        ar << static_cast<WORD>(m_nCurrent) << static_cast<WORD>(m_models.size());
        for (const auto& model : m_models)
            model->Serialize(ar, CSpeakerModel::kVersion200);
        return;
    }

    const WORD current = ar.ReadWord();
    const WORD count = ar.ReadWord();
    ar.CheckCount(count, kMinModelRecordSize);
    const bool before200 = version < CSpeakerModel::kVersion200;
    std::vector<std::unique_ptr<CSpeakerModel>> loaded;
    loaded.reserve(count);
    for (WORD i = 0; i < count; ++i) {
        if (before200) {
            CSpeakerDataHeader summary;
            summary.SerializeSummary(ar);
        }
        std::unique_ptr<CSpeakerModel> model = ReadModelRecord(ar, version);
        model->SetUnitFlag(unitFlag);
        loaded.push_back(std::move(model));
        // Old files carry a second copy of each model, which is read and
        // dropped: what its record implies is never held nor saved.
        if (before200) {
            const std::uint64_t implied = ar.UnreadBytes();
            ar.SetUnreadBytes(0);
            (void)ReadModelRecord(ar, version);
            ar.SetUnreadBytes(implied);
        }
    }
    m_models = std::move(loaded);
    // A stored index outside the list points at the last model.
    m_nCurrent = current;
    if (m_models.empty())
        m_nCurrent = 0;
    else if (m_nCurrent >= GetCount())
        m_nCurrent = GetCount() - 1;
}
