#include "BasicButton.h"

BasicButton::BasicButton() = default;

BasicButton::~BasicButton() = default;
