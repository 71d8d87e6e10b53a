#include "widgets/picture_fitting.h"

#include "pictures/colour_quantiser.h"
#include "pictures/gif_encoder.h"
#include "pictures/jpeg_encoder.h"
#include "text/cp1251.h"
#include "text/error.h"
#include "text/text_case.h"

#include <QBuffer>
#include <QImageReader>

#include <cstring>

namespace quarbel {

RgbImage RgbImageOf(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  RgbImage out;
  out.width = rgb.width();
  out.height = rgb.height();
  out.pixels.resize(static_cast<size_t>(out.width) * out.height * 3);
  for (int y = 0; y < out.height; ++y)
    std::memcpy(out.pixels.data() + static_cast<size_t>(y) * out.width * 3, rgb.constScanLine(y),
                static_cast<size_t>(out.width) * 3);
  return out;
}

ChosenPicture FitPicture(const ChosenPicture& picture, int side) {
  QByteArray bytes(picture.bytes.data(), static_cast<qsizetype>(picture.bytes.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer);
  reader.setAutoTransform(true);
  QImage upright = reader.read();
  if (upright.isNull())
    throw Error(Cp1251FromUtf8("Не вдалося прочитати зображення"));
  if (upright.width() <= side && upright.height() <= side &&
      reader.transformation() == QImageIOHandler::TransformationNone)
    return picture;

  ChosenPicture fitted;
  fitted.extension = picture.extension;
  fitted.image = upright.width() <= side && upright.height() <= side
                     ? upright
                     : upright.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  const std::string kind = LowerCaseText(picture.extension);
  if (kind == ".gif") {
    fitted.bytes = EncodeGif(QuantiseColours(RgbImageOf(fitted.image)));
  } else if (kind == ".bmp") {
    QByteArray bmp;
    QBuffer out(&bmp);
    out.open(QIODevice::WriteOnly);
    if (!fitted.image.convertToFormat(QImage::Format_RGB32).save(&out, "BMP"))
      throw Error(Cp1251FromUtf8("Не вдалося записати зображення BMP"));
    fitted.bytes.assign(bmp.constData(), static_cast<size_t>(bmp.size()));
  } else {
    fitted.bytes = EncodeJpeg(RgbImageOf(fitted.image), 90);
  }
  return fitted;
}

} // namespace quarbel
