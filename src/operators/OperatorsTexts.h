#pragma once
// Texts of the operator rules (string table ids).
enum TOperatorsText : int {
    TxtOperatorsLastManager = 3542,
    TxtOperatorsNameTooLong = 3543,
    TxtOperatorsPasswordTooLong = 3544,
    TxtOperatorsEmptyPassword = 3545,
};
