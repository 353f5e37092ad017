#pragma once
// The document's speaker models: an owning list with a current index.
// Installations refer to a model by its index in this list.

#include "models/SpeakerModel.h"
#include "platform/Types.h"

#include <memory>
#include <vector>

class CArchive;
class CSpeakerDataProblem;
class CStdioFile;
class IProgress;

class CSpeakerModelContainer {
public:
    CSpeakerModelContainer() = default;
    ~CSpeakerModelContainer();
    CSpeakerModelContainer(const CSpeakerModelContainer&) = delete;
    CSpeakerModelContainer& operator=(const CSpeakerModelContainer&) = delete;

    // Reads the type-code line and the rest of an import file into a new
    // model, which is appended on success. The current index is not
    // changed. progress may be nullptr; problem, when given, is told why a
    // file is refused.
    BOOL ImportModel(CStdioFile& file, int unitFlag, IProgress* progress, CSpeakerDataProblem* problem = nullptr);

    int GetCount() const { return static_cast<int>(m_models.size()); }
    int GetCurrentIndex() const { return m_nCurrent; }
    // No range check: callers keep the index within the list.
    void SetCurrentIndex(int i) { m_nCurrent = i; }
    // The model at the current index; nullptr when the list is empty or the
    // index lies outside it.
    CSpeakerModel* GetCurrent() const;
    // Model i; nullptr when i lies outside the list.
    CSpeakerModel* GetAt(int i) const;

    void Add(std::unique_ptr<CSpeakerModel> model);
    // Deletes model i (when i is within the list), then clamps the current
    // index: 0 for an empty list, else count - 1 when it is not below the
    // count.
    void RemoveAt(int i);
    void RemoveAll();

    // u16 current index, u16 model count, the model records. Loading
    // replaces the list only when the whole record could be read.
    void Serialize(CArchive& ar, int unitFlag, DWORD version);

private:
    std::vector<std::unique_ptr<CSpeakerModel>> m_models;
    int m_nCurrent = 0;
};
