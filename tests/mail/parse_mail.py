"""Parses a rendered mail with Python's email package, an independent MIME reader.

Usage: parse_mail.py FILE. Prints one line per finding, values in hexadecimal so that any bytes
survive: "subject <hex>", "from <hex>" (both as UTF-8), "text <content-type> <hex>" for each text part (decoded, without the line end that the
envelope leaves before the next boundary), and
"attachment <filename> <hex>" for each attachment (decoded)."""
import email
import email.header
import email.policy
import sys

with open(sys.argv[1], "rb") as f:
    message = email.message_from_binary_file(f, policy=email.policy.compat32)

subject = str(email.header.make_header(email.header.decode_header(message["Subject"])))
print("subject", subject.encode("utf-8").hex())
sender = str(email.header.make_header(email.header.decode_header(message["From"])))
print("from", sender.encode("utf-8").hex())
print("multipart", int(message.is_multipart()))
for part in message.walk():
    if part.is_multipart():
        continue
    filename = part.get_filename()
    payload = part.get_payload(decode=True) or b""
    if filename:
        print("attachment", filename, payload.hex())
    else:
        print("text", part.get_content_type(), payload.rstrip(b"\r\n").hex())
