// The month and day names of the Russian locale, as the system gives them.
#pragma once

#include "app/dates.h"

namespace quivra::test {

inline app::DateNames russianDateNames() {
    return {
        {u"январь", u"февраль", u"март", u"апрель", u"май", u"июнь", u"июль", u"август",
         u"сентябрь", u"октябрь", u"ноябрь", u"декабрь"},
        {u"янв", u"фев", u"мар", u"апр", u"май", u"июн", u"июл", u"авг", u"сен", u"окт", u"ноя",
         u"дек"},
        {u"января", u"февраля", u"марта", u"апреля", u"мая", u"июня", u"июля", u"августа",
         u"сентября", u"октября", u"ноября", u"декабря"},
        {u"янв", u"фев", u"мар", u"апр", u"мая", u"июн", u"июл", u"авг", u"сен", u"окт", u"ноя",
         u"дек"},
        {u"понедельник", u"вторник", u"среда", u"четверг", u"пятница", u"суббота", u"воскресенье"},
        {u"Пн", u"Вт", u"Ср", u"Чт", u"Пт", u"Сб", u"Вс"},
    };
}

} // namespace quivra::test
