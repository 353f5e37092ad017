#pragma once
// Besides the update hints, the document calls some of its views directly
// (after an import, a model deletion, a click in the speaker list, and when
// it forwards the print and View > Room commands). A view that offers such
// calls implements the matching interface below next to IView; the document
// finds it among its registered views with dynamic_cast, in view order.

#include "platform/Types.h"

// An SPL map view.
class IColorMapViewLink {
public:
    virtual ~IColorMapViewLink() = default;
    // bSave FALSE: refill the band, frequency and sum-mode choices from the
    // view's condition (bResetBand TRUE: pick the band anew from the current
    // model's pitch); bSave TRUE: store the choices into the condition.
    virtual void UpdateConditionControls(BOOL bSave, BOOL bResetBand) = 0;
    // File > Print (57607) or Print Preview (57609) handed to the view.
    virtual void OnPrintCommand(unsigned commandId) = 0;
    virtual void Fit() = 0;
    virtual void ZoomIn() = 0;
    virtual void ZoomOut() = 0;
    // Whether ZoomIn would enlarge the map (it stops at a largest size).
    virtual bool CanZoomIn() const { return true; }
    virtual void ViewXAxisMinus() = 0;
    virtual void ViewYAxisPlus() = 0;
    virtual void ViewZAxisMinus() = 0;
    virtual void ViewDiagonal() = 0;
    // The index of the view's colour-map condition in the document's list
    // (-1: the view does not tell, the document then takes it for the
    // current one).
    virtual int GetConditionIndex() const { return -1; }
    // Room > Room Parameters... for this view (bExisting TRUE from the
    // command, FALSE for the first window of a new project): 0 applied,
    // 1 cancelled.
    virtual int EditRoomParameters(BOOL bExisting) { (void)bExisting; return 1; }
};

// The speaker-data list.
class ISpeakerDataListLink {
public:
    virtual ~ISpeakerDataListLink() = default;
    virtual void FillList() = 0;
};

// The tap list.
class ITapListLink {
public:
    virtual ~ITapListLink() = default;
    virtual void FillList() = 0;
};

#include <vector>

class CDocument;

// The registered views of doc that implement the interface, in view order.
std::vector<IColorMapViewLink*> FindColorMapViews(const CDocument& doc);
std::vector<ISpeakerDataListLink*> FindSpeakerDataLists(const CDocument& doc);
std::vector<ITapListLink*> FindTapLists(const CDocument& doc);
