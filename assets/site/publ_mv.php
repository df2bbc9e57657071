<!DOCTYPE html>
<html>
<head>
<meta charset="utf-8">
<title>publ</title>
</head>
<body bgcolor="#ffffff" style="font-family: 'DejaVu Sans', Arial, sans-serif;">
<table width="100%" cellspacing="0" cellpadding="0" style="margin-top: 20px;">
<tr><td align="center" style="padding-left: 64px; padding-right: 32px; font-size: 10pt; color: #0000ff;"><b><span style="color: #ff8000;">Marvolia</span></b> &#8212; pick your photos, choose copies and sizes, and your print order is ready for the lab.</td></tr>
</table>
</body>
</html>
