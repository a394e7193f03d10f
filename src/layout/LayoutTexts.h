#pragma once
// Texts of the layouts and their editor.
enum TLayoutText : int {
    TxtLayoutEditorCaption = 1001,
    TxtLayoutAdd = 1002,
    TxtLayoutModify = 1003,
    TxtLayoutDelete = 1004,
    TxtLayoutRootName = 1005,
    TxtLayoutNewLayout = 1006,
    TxtLayoutDeleteQuestion = 1007,
    TxtLayoutAddPoint = 1008,
    TxtLayoutModifyPoint = 1009,
    TxtLayoutDeletePoint = 1010,
    TxtLayoutClearPoints = 1011,
    TxtLayoutAddPointCaption = 1012,
    TxtLayoutModifyPointCaption = 1013,
    TxtLayoutPointName = 1014,
    TxtLayoutPointShape = 1015,
    TxtLayoutPointAddress = 1017,
    TxtLayoutTextPlace = 1018,
    TxtLayoutShapes = 1019,               // one shape a line
    TxtLayoutTextPlaces = 1020,           // one place per item, items separated by carriage returns
    TxtLayoutDeletePointQuestion = 1021,
    TxtLayoutClearPointsQuestion = 1022,
    TxtLayoutPointWidth = 1023,
    TxtLayoutPointHeight = 1024,
    TxtLayoutAddressTaken = 1025,
    TxtLayoutSaveChanges = 1026,
    TxtLayoutNotAnInteger = 3001,         // %1 the value given
};
