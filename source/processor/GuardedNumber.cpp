#include "GuardedNumber.h"

// Leading zeros of an exponent are dropped, leaving one where the run is all zeros so the text
// keeps its shape, and nine significant digits kept. JUCE adds one to the exponent for each digit
// of a long mantissa past its precision, so fewer digits would misread a long mantissa with a
// long negative exponent; nine still fit the int with that added, and any longer exponent
// outweighs every mantissa shorter than 100 MB.
double readNumber (const juce::String& text)
{
    if (! text.containsAnyOf ("eE"))
        return text.getDoubleValue();

    constexpr int maxExponentDigits = 9;
    enum class State
    {
        plain,
        afterMark,
        afterSign,
        inDigits
    };

    // A stream, not a string: JUCE grows a string by exactly what is appended.
    juce::MemoryOutputStream safe;
    auto state = State::plain;
    auto significantDigits = 0;
    auto droppedZero = false;

    for (auto p = text.getCharPointer();;)
    {
        const auto c = p.getAndAdvance();
        const auto isDigit = juce::CharacterFunctions::isDigit (c);

        if (isDigit && state != State::plain)
        {
            if (state != State::inDigits)
            {
                significantDigits = 0;
                droppedZero = false;
            }

            state = State::inDigits;

            if (significantDigits == 0 && c == '0')
                droppedZero = true;
            else if (++significantDigits <= maxExponentDigits)
                safe.appendUTF8Char (c);

            continue;
        }

        if (state == State::inDigits && significantDigits == 0 && droppedZero)
            safe.appendUTF8Char ('0');

        if (c == 0)
            break;

        safe.appendUTF8Char (c);

        if (state == State::afterMark && (c == '+' || c == '-'))
            state = State::afterSign;
        else
            state = (c == 'e' || c == 'E') ? State::afterMark : State::plain;
    }

    return safe.toUTF8().getDoubleValue();
}
