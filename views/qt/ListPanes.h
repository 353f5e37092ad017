#pragma once
// The list panes of a project window, made for the child frame. The frame
// registers each with the document, runs its initial update once every pane
// exists and unregisters it before deleting it.

class CKDRDoc;
class QWidget;

// "Speaker Data View": the speaker-data list (a CStdSPDataListView).
QWidget* CreateSpeakerDataListPane(CKDRDoc& doc, QWidget* parent);
// "Tap View": the tap list (a CTapListView).
QWidget* CreateTapListPane(CKDRDoc& doc, QWidget* parent);
