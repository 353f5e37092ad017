#include "views/qt/ListPanes.h"

#include "document/KDRDoc.h"
#include "views/qt/StdSPDataListView.h"
#include "views/qt/TapListView.h"

QWidget* CreateSpeakerDataListPane(CKDRDoc& doc, QWidget* parent) { return new CStdSPDataListView(doc, parent); }

QWidget* CreateTapListPane(CKDRDoc& doc, QWidget* parent) { return new CTapListView(doc, parent); }
