#pragma once
// The dialog templates of the line-array arrangement dialogs: 149 (LV-3),
// 155 (TypeS) and 159 (LV-6). Registered once, on the first call.

void RegisterLineArrayArrangementTemplates();
