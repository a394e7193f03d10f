#include "operators/LoginMsg.h"

TLoginMsg LoginMsg;
