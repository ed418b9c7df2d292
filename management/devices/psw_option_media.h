/*
 * The tray arithmetic of the option objects, as plain functions over values read from the
 * printer: the medium size code and feed direction of a tray's media dimensions, the fill
 * level of a tray, and the numbers of the controller version text.
 */
#ifndef MANAGEMENT_DEVICES_PSW_OPTION_MEDIA_H
#define MANAGEMENT_DEVICES_PSW_OPTION_MEDIA_H

#include <cstdint>

/* Units of the Printer MIB's input table. */
constexpr int32_t PSW_UNIT_MICROMETRES = 4;
constexpr int32_t PSW_UNIT_SHEETS = 8;

/* Feed directions: the short edge or the long edge first. */
constexpr int32_t PSW_FEED_SHORT_EDGE = 2;
constexpr int32_t PSW_FEED_LONG_EDGE = 3;

/*
 * psw_media_dimension_to_medium_size: the size code of the first medium size whose short
 * and long edge both lie within 2000 µm of the tray's, and the direction (3 when the feed
 * dimension is at least the cross-feed one, else 2). Nothing is written unless the unit is
 * 4 (micrometres), both dimensions are not negative and a size matches.
 */
void psw_media_dimension_to_medium_size(int32_t unit, int32_t feed, int32_t cross_feed, int32_t *size_code,
                                        int32_t *direction);

/*
 * psw_convert_medium_level: for unit 8 (sheets) only: maximum_out = maximum and percent =
 * (current x 100 + 50) / maximum, or -1 when current is negative or maximum not positive.
 */
void psw_convert_medium_level(int32_t unit, int32_t maximum, int32_t current, int32_t *maximum_out, int32_t *percent);

/*
 * psw_parse_version_value: the three numbers of "Printer Controller v%d.%d.%d - Processor".
 * 0, or -1 with the Error line "invalid PrinterROMVersion format" on "PSW" (outputs
 * unchanged).
 */
int psw_parse_version_value(const char *text, int32_t *major, int32_t *minor, int32_t *revision);

#endif /* MANAGEMENT_DEVICES_PSW_OPTION_MEDIA_H */
